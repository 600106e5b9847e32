#!/usr/bin/python3
"""The manual pages against the programs: every command the command line's own help lists, with
exactly its options, has an entry in each veldrassa-cli page (and no other command does), each
page's OPTIONS lists the program's own options, and man renders every page without a warning.
Arguments: veldrassa-cli, veldrassa, the folder of the pages."""
import os
import re
import subprocess
import sys
from pathlib import Path

cli, gui, folder = sys.argv[1], sys.argv[2], Path(sys.argv[3])
pages = {name: [folder / name, folder / "zh_CN" / name] for name in ("veldrassa.1", "veldrassa-cli.1")}
failures = []


def help_sections(text):
    """Each section of a help text ("Options:", or "选项：" once Qt's Chinese texts are loaded)
    with its entries' first column."""
    found, current = {}, None
    for line in text.splitlines():
        heading = re.match(r"^(\S+)[:：]$", line)
        if heading:
            current = found.setdefault(heading.group(1), [])
        elif current is not None and re.match(r"^  \S", line):
            current.append(re.split(r"\s{2,}", line.strip())[0])
    return found


OPTION = r"(?<![\w-])(?:--[a-z][a-z-]*|-[a-z])(?![\w-])"


def option_names(entries):
    return {name for entry in entries for name in re.findall(OPTION, entry)}


def cli_commands(path=()):
    """(command words, option names) of every command that takes no further subcommand or has
    options of its own."""
    text = subprocess.run([cli, *path, "--help"], capture_output=True, text=True, check=True).stdout
    found = help_sections(text)
    own = option_names(found.get("Options", [])) - {"-h", "--help"}
    # A command with subcommands is an entry of its own when it also runs alone with options.
    if path and ("Subcommands" not in found or own):
        yield " ".join(path), own
    for entry in found.get("Subcommands", []):
        yield from cli_commands(path + (entry.split()[0],))


def plain(troff):
    """A line of the page source as read: fonts, hyphens, spaces and break points resolved."""
    text = re.sub(r"\\f[BIRP]", "", troff)
    return text.replace("\\-", "-").replace("\\:", "").replace("\\ ", " ")


def sections(page):
    """Each .SH section of a page with its source lines."""
    found, current = {}, None
    for line in page.read_text(encoding="utf-8").splitlines():
        if line.startswith(".SH "):
            current = found.setdefault(line[4:].strip().strip('"'), [])
        elif current is not None:
            current.append(line)
    return found


def entries(lines):
    """The tag line of each .TP entry."""
    return [plain(lines[i + 1]) for i, line in enumerate(lines[:-1]) if line == ".TP"]


def page_commands(page):
    lines = sections(page).get("COMMANDS") or sections(page).get("命令") or []
    found = {}
    for tag in entries(lines):
        words = []
        for token in tag.split():
            if not re.fullmatch(r"[a-z][a-z-]*", token):
                break
            words.append(token)
        found[" ".join(words)] = set(re.findall(r"--[a-z][a-z-]*", tag))
    return found


def page_options(page):
    lines = sections(page).get("OPTIONS") or sections(page).get("选项") or []
    return option_names(tag.replace('"', " ") for tag in entries(lines))


# The command list.
wanted = dict(cli_commands())
if len(wanted) < 10:
    failures.append(f"the command line's help yielded only {sorted(wanted)}")
for page in pages["veldrassa-cli.1"]:
    written = page_commands(page)
    for command in sorted(wanted.keys() - written.keys()):
        failures.append(f"{page}: no entry for '{command}'")
    for command in sorted(written.keys() - wanted.keys()):
        failures.append(f"{page}: entry for '{command}', which the command line does not have")
    for command in sorted(wanted.keys() & written.keys()):
        if written[command] != wanted[command]:
            failures.append(f"{page}: '{command}' lists {sorted(written[command])}, "
                            f"the command line has {sorted(wanted[command])}")

# The programs' own options.
environment = dict(os.environ, QT_QPA_PLATFORM="offscreen")
for program, name in ((cli, "veldrassa-cli.1"), (gui, "veldrassa.1")):
    text = subprocess.run([program, "--help"], capture_output=True, text=True, check=True,
                          env=environment).stdout
    found = help_sections(text)
    own = option_names(found.get("Options", found.get("选项", [])))
    for page in pages[name]:
        if page_options(page) != own:
            failures.append(f"{page}: OPTIONS lists {sorted(page_options(page))}, "
                            f"the program has {sorted(own)}")

# Rendered as lintian renders them.
for page in pages["veldrassa.1"] + pages["veldrassa-cli.1"]:
    run = subprocess.run(["man", "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z", str(page)],
                         capture_output=True, text=True,
                         env={"PATH": os.environ["PATH"], "LC_ALL": "C.UTF-8", "MANWIDTH": "80"})
    if run.returncode != 0 or run.stderr.strip():
        failures.append(f"{page}: man says: {run.stderr.strip()} (exit {run.returncode})")

for failure in failures:
    print("FAILED:", failure)
print(f"{len(wanted)} commands, {sum(len(p) for p in pages.values())} pages checked")
sys.exit(1 if failures else 0)

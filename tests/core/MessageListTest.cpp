// The message list (docs/help/messages.md) explains every text the program shows a clerk. This
// test reads the sources and the list and fails on any text without an entry and on any entry
// whose text the program no longer shows.
//
// What counts as a message text: a string literal under src/ (comments skipped, adjacent
// literals joined as the compiler joins them) holding a Chinese character, when
//  - its statement shows or hands on a message: it calls prompt().info/confirm/ask/error (or a
//    QMessageBox function directly), throws, builds an Error (vel::Error or a subclass), prints
//    through the command line's err() or out(), shows a status-bar message (showMessage), or
//    stores into or passes on something named for a message, question or refusal
//    (`messages << …`, `out.question = …`, `RecomputeQuestion = …`, `savedMessage(…)`,
//    `refusal`), a function so named returning it included; or
//  - it reads as a sentence: it holds 。！？；， or ends a clause with ! or ?, or gives a detail
//    after a colon (“…：%1”), unless it is the caption of a widget its statement creates or
//    titles (new QLabel(…), setWindowTitle(…), addRow(…), setPlaceholderText(…) …), or it is
//    text of the help documents themselves (src/core/help), which are no messages, or of the data
//    check's rule table (src/core/checks/CheckRules.cpp), whose descriptions the help document
//    "审核规则" prints whole.
// Captions, column headers, code-list texts and file names are none of these. Where a site
// cannot be told apart by its form, the rule counts it, so the list also explains a few status
// texts, headers and option captions worded as sentences.
//
// A text matches an entry (a `> ` quoted block in the list) when the two are equal once white
// space is dropped and every placeholder (%1 in the source, {名称} in the list) is taken as one
// and the same mark. A text joined to others with + is a piece of a longer message: it matches
// any entry that holds it. An entry is honest when it is made up of message texts and
// placeholders only, and each text has one entry.

#include "help/HelpDocuments.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <vector>

namespace {

struct Token {
    bool literal = false;  // a "…" string literal, its text as written (escapes kept)
    QString text;
    int line = 0;
};

bool identifierChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

// Enough of C++'s lexical rules to find string literals and the tokens around them.
std::vector<Token> tokenize(const QString& s)
{
    std::vector<Token> tokens;
    const qsizetype n = s.size();
    int line = 1;
    auto skipTo = [&](qsizetype& i, qsizetype end) {
        line += static_cast<int>(s.mid(i, end - i).count(u'\n'));
        i = end;
    };
    for (qsizetype i = 0; i < n;) {
        const QChar c = s[i];
        const QChar next = i + 1 < n ? s[i + 1] : QChar();
        if (c.isSpace()) {
            skipTo(i, i + 1);
        } else if (c == u'/' && next == u'/') {
            const qsizetype end = s.indexOf(u'\n', i);
            skipTo(i, end < 0 ? n : end);
        } else if (c == u'/' && next == u'*') {
            const qsizetype end = s.indexOf(QStringLiteral("*/"), i + 2);
            skipTo(i, end < 0 ? n : end + 2);
        } else if (c == u'R' && next == u'"' && (i == 0 || !identifierChar(s[i - 1]))) {
            // Raw strings hold SQL here; they are skipped whole.
            const qsizetype open = s.indexOf(u'(', i + 2);
            const QString close = u')' + s.mid(i + 2, open - i - 2) + u'"';
            const qsizetype end = s.indexOf(close, open);
            tokens.push_back({false, QStringLiteral("R\"\""), line});
            skipTo(i, end < 0 ? n : end + close.size());
        } else if (c == u'"' || c == u'\'') {
            qsizetype j = i + 1;
            while (j < n && s[j] != c && s[j] != u'\n')
                j += s[j] == u'\\' ? 2 : 1;
            tokens.push_back({c == u'"', s.mid(i + 1, j - i - 1), line});
            i = j + 1;
        } else if (identifierChar(c)) {
            qsizetype j = i;
            while (j < n && identifierChar(s[j]))
                ++j;
            tokens.push_back({false, s.mid(i, j - i), line});
            i = j;
        } else {
            const QString two = s.mid(i, 2);
            const bool pair = two == u"<<" || two == u"::" || two == u"->";
            tokens.push_back({false, pair ? two : QString(c), line});
            i += pair ? 2 : 1;
        }
    }
    return tokens;
}

struct SourceText {
    QString text;   // as written, escapes kept
    QString where;  // file:line
    bool piece = false;
};

const QRegularExpression& chinese()
{
    static const QRegularExpression re(QStringLiteral("[\\x{4e00}-\\x{9fff}]"));
    return re;
}

bool readsAsSentence(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("[。！？；，]|[!?](\\s|\\\\|$)|[：:]\\s*%\\d"));
    return text.contains(re);
}

bool showsMessage(const QString& statement)
{
    static const QRegularExpression re(QStringLiteral(
        "prompt\\(\\)\\.|QMessageBox::\\w+\\(|\\bthrow\\b|Error\\(|\\berr\\(|\\bout\\(|"
        "showMessage\\(|[a-z]\\w*(Message|Question|Refusal)|\\b(message|question|refusal)"));
    return statement.contains(re);
}

bool titlesWidget(const QString& statement)
{
    static const QRegularExpression re(QStringLiteral(
        "\\bnew Q[A-Z]\\w*\\(|setWindowTitle\\(|setTitle\\(|addAction\\(|addMenu\\(|addItem\\(|"
        "addRow\\(|HeaderLabels\\(|setToolTip\\(|setPlaceholderText\\("));
    return statement.contains(re);
}

// The message texts of one source file, by the rule above.
std::vector<SourceText> messageTexts(const QString& source, const QString& file)
{
    const bool helpText = file.startsWith(QStringLiteral("src/core/help/")) ||
                          file == QStringLiteral("src/core/checks/CheckRules.cpp");
    const std::vector<Token> t = tokenize(source);
    const auto is = [&](qsizetype k, const char16_t* text) {
        return k >= 0 && k < static_cast<qsizetype>(t.size()) && !t[k].literal && t[k].text == text;
    };
    std::vector<SourceText> found;
    for (qsizetype i = 0; i < static_cast<qsizetype>(t.size());) {
        if (!t[i].literal) {
            ++i;
            continue;
        }
        qsizetype j = i;
        QString text;
        while (j < static_cast<qsizetype>(t.size()) && t[j].literal)
            text += t[j++].text;
        if (text.contains(chinese())) {
            QString statement;
            // A function's body is its statement, so that what a function named for a message
            // returns counts as a message.
            const auto ends = [&](qsizetype k) {
                const bool body = is(k - 1, u")") || is(k - 1, u"const");
                return is(k, u";") || is(k, u"}") || (is(k, u"{") && !body);
            };
            for (qsizetype k = i - 1; k >= 0 && !ends(k); --k) {
                const QString piece = t[k].literal ? QStringLiteral("\"\"") : t[k].text;
                const bool apart = !statement.isEmpty() && identifierChar(statement.front()) &&
                                   identifierChar(piece.back());
                statement.prepend(apart ? piece + u' ' : piece);
            }

            qsizetype left = i - 1;
            qsizetype right = j;
            if (is(left, u"(") && is(left - 1, u"QStringLiteral") && is(right, u")")) {
                left -= 2;
                ++right;
            }
            while (is(right, u".") && is(right + 1, u"arg") && is(right + 2, u"(")) {
                int depth = 0;
                right += 2;
                do {
                    depth += is(right, u"(") ? 1 : is(right, u")") ? -1 : 0;
                    ++right;
                } while (depth > 0 && right < static_cast<qsizetype>(t.size()));
            }
            const bool sentence = readsAsSentence(text) && !titlesWidget(statement) && !helpText;
            if (showsMessage(statement) || sentence)
                found.push_back({text, QStringLiteral("%1:%2").arg(file).arg(t[i].line),
                                 is(left, u"+") || is(right, u"+")});
        }
        i = j;
    }
    return found;
}

// Placeholders become one mark and white space goes, so that the source's "%1" and the list's
// "{月份}" agree and line breaks may fall where the list needs them.
const QChar Mark(0x2756);

QString sourceKey(QString text)
{
    static const QRegularExpression escapes(QStringLiteral("\\\\[nrt]"));
    static const QRegularExpression placeholder(QStringLiteral("%\\d+"));
    text.replace(escapes, QStringLiteral(" "));
    text.replace(QStringLiteral("\\\""), QStringLiteral("\""));
    text.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    text.replace(placeholder, Mark);
    text.removeIf([](QChar c) { return c.isSpace(); });
    return text;
}

QString entryKey(QString text)
{
    static const QRegularExpression placeholder(QStringLiteral("\\{[^{}]*\\}"));
    text.replace(placeholder, Mark);
    text.removeIf([](QChar c) { return c.isSpace(); });
    return text;
}

struct Entry {
    QString text;
    int line = 0;
};

// The `> ` quoted blocks of the list, one entry each; a line's closing backslash is Markdown's
// line break.
std::vector<Entry> entries(const QString& markdown)
{
    std::vector<Entry> out;
    const QStringList lines = markdown.split(u'\n');
    bool inQuote = false;
    for (int k = 0; k < lines.size(); ++k) {
        const QString& l = lines[k];
        if (!l.startsWith(u'>')) {
            inQuote = false;
            continue;
        }
        QString text = l.mid(1).trimmed();
        if (text.endsWith(u'\\'))
            text.chop(1);
        if (inQuote)
            out.back().text += u'\n' + text;
        else
            out.push_back({text, k + 1});
        inQuote = true;
    }
    return out;
}

std::vector<SourceText> allMessageTexts()
{
    std::vector<SourceText> all;
    const QDir root(QStringLiteral(VEL_SOURCE_DIR));
    QDirIterator it(root.path(), {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        for (SourceText& s : messageTexts(QString::fromUtf8(f.readAll()),
                                          QStringLiteral("src/") + root.relativeFilePath(path)))
            all.push_back(std::move(s));
    }
    return all;
}

bool matches(const SourceText& s, const QString& key)
{
    const QString mine = sourceKey(s.text);
    return s.piece ? key.contains(mine) : key == mine;
}

TEST(MessageList, TheRuleCountsMessagesAndLeavesCaptions)
{
    const QString source = QStringLiteral(R"(
        // prompt().info(this, QStringLiteral("注释里的话。"));
        void f() {
            setWindowTitle(QStringLiteral("人员变动"));
            auto* note = new QLabel(QStringLiteral("注：标*为必填项。"), this);
            form->addRow(QStringLiteral("单位名称："), name_);
            const QString header = QStringLiteral("统计月份");
            QString savedMessage(const QString& f) {
                return QStringLiteral("你保存在'%1/'里").arg(f);
            }
            prompt().info(this, QStringLiteral("非法字符"));
            QMessageBox::warning(this, title, QStringLiteral("磁盘已满"));
            if (!prompt().ask(this, QStringLiteral("是否要进行修改?"))) return;
            throw FileError(QStringLiteral("无法读取文件：%1").arg(path));
            err(QStringLiteral("月份必须是1到12"));
            messages << QStringLiteral("以下：") + LineBreak + names;
            return QStringLiteral("%1月没有已存储的工资，无法导入").arg(month);
            done = QStringLiteral("成功清空 %1 月份数据！").arg(m);
            label->setText(QStringLiteral("第一段，"
                                          "第二段。"));
            const char* sql = R"x(SELECT '请不要数我。' FROM t)x";
        }
    )");
    QStringList counted;
    QStringList pieces;
    for (const SourceText& s : messageTexts(source, QStringLiteral("x.cpp"))) {
        counted << s.text;
        if (s.piece)
            pieces << s.text;
    }
    const QStringList expected = {
        QStringLiteral("你保存在'%1/'里"), QStringLiteral("非法字符"), QStringLiteral("磁盘已满"),
        QStringLiteral("是否要进行修改?"), QStringLiteral("无法读取文件：%1"),
        QStringLiteral("月份必须是1到12"), QStringLiteral("以下："),
        QStringLiteral("%1月没有已存储的工资，无法导入"), QStringLiteral("成功清空 %1 月份数据！"),
        QStringLiteral("第一段，第二段。")};
    EXPECT_EQ(counted.join(u'\n').toStdString(), expected.join(u'\n').toStdString());
    EXPECT_EQ(pieces.join(u'\n').toStdString(), "以下：");

    // The help documents' own sentences are no messages; what help code throws is one.
    const QString help = QStringLiteral(R"(
        const QString rule = QStringLiteral("只能是“男”或“女”，否则标红");
        search_->setPlaceholderText(QStringLiteral("输入词语，按回车查找"));
        throw Error(QStringLiteral("帮助文档“%1”不存在。").arg(id));
    )");
    QStringList fromHelp;
    for (const SourceText& s : messageTexts(help, QStringLiteral("src/core/help/Guide.cpp")))
        fromHelp << s.text;
    EXPECT_EQ(fromHelp.join(u'\n').toStdString(), "帮助文档“%1”不存在。");
}

TEST(MessageList, MatchingTakesPlaceholdersAndPieces)
{
    struct Case {
        const char16_t* source;  // as written in C++, escapes kept
        bool piece;
        const char16_t* entry;
        bool match;
    };
    const Case cases[] = {
        {u"成功清空 %1 月份数据！", false, u"成功清空 {月份} 月份数据！", true},
        {u"第%1行有%2列，多于人员表的%3列。", false, u"第{行}行有{列数}列，多于人员表的{最多}列。",
         true},
        {u"无法自动打开，请到以下位置查看：\\n%1", false, u"无法自动打开，请到以下位置查看：\n{路径}",
         true},
        {u"成功清空 %1 月份数据！", false, u"成功清空全部月度数据！", false},
        {u"保存成功！", false, u"{月份}月保存成功！", false},
        {u"\\n本次导入未作任何改动。", true, u"{原因}\n本次导入未作任何改动。", true},
        {u"本次导入未作任何改动。", true, u"本次导入未作改动。", false},
    };
    for (const Case& c : cases) {
        const SourceText source{QString::fromUtf16(c.source), QString(), c.piece};
        EXPECT_EQ(matches(source, entryKey(QString::fromUtf16(c.entry))), c.match)
            << source.text.toStdString() << " / " << QString::fromUtf16(c.entry).toStdString();
    }
}

TEST(MessageList, EveryMessageTextHasAnEntry)
{
    const std::vector<SourceText> texts = allMessageTexts();
    ASSERT_GT(texts.size(), 100u) << "the sources were not found under " VEL_SOURCE_DIR;
    QStringList keys;
    for (const Entry& e : entries(vel::help::markdown(vel::help::Messages)))
        keys << entryKey(e.text);

    QStringList missing;
    for (const SourceText& s : texts) {
        const auto entryFor = [&](const QString& k) { return matches(s, k); };
        if (std::none_of(keys.cbegin(), keys.cend(), entryFor))
            missing << QStringLiteral("%1  “%2”%3")
                           .arg(s.where, s.text, s.piece ? QStringLiteral(" (piece)") : QString());
    }
    EXPECT_TRUE(missing.isEmpty()) << "message texts without an entry in docs/help/messages.md:\n"
                                   << missing.join(u'\n').toStdString();
}

TEST(MessageList, EveryEntryIsMadeOfTextsTheProgramShowsAndStandsOnce)
{
    std::vector<QString> pieces;
    for (const SourceText& s : allMessageTexts())
        pieces.push_back(sourceKey(s.text));
    // Longest first, so that a short text inside a longer one does not break the longer one up.
    std::sort(pieces.begin(), pieces.end(), [](const QString& a, const QString& b) {
        return a.size() != b.size() ? a.size() > b.size() : a < b;
    });
    pieces.erase(std::unique(pieces.begin(), pieces.end()), pieces.end());

    const std::vector<Entry> list = entries(vel::help::markdown(vel::help::Messages));
    ASSERT_FALSE(list.empty());
    QStringList stale;
    QStringList seen;
    for (const Entry& e : list) {
        const QString key = entryKey(e.text);
        if (seen.contains(key))
            stale << QStringLiteral("messages.md:%1  “%2”  (a second entry for this text)")
                         .arg(e.line)
                         .arg(e.text);
        seen << key;
        QString rest = key;
        for (const QString& p : pieces)
            if (key.contains(p))
                rest.replace(p, QString());
        rest.remove(Mark);
        if (!rest.isEmpty() || QString(key).remove(Mark).isEmpty())
            stale << QStringLiteral("messages.md:%1  “%2”  (not in the sources: “%3”)")
                         .arg(e.line)
                         .arg(e.text, rest);
    }
    EXPECT_TRUE(stale.isEmpty()) << "entries that are stale or doubled:\n"
                                 << stale.join(u'\n').toStdString();
}

}  // namespace

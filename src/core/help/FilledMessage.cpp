#include "FilledMessage.h"

#include <algorithm>
#include <vector>

namespace vel::help {
namespace {

constexpr int OwnCharacters = 4;

// One character of the entry, or one placeholder (which takes one character or more).
struct Piece {
    bool placeholder;
    QChar c;
};

std::vector<Piece> pieces(const QString& entry)
{
    std::vector<Piece> out;
    for (qsizetype i = 0; i < entry.size(); ++i) {
        const QChar c = entry[i];
        if (c == u'{') {
            const qsizetype close = entry.indexOf(u'}', i + 1);
            if (close > i + 1 && !entry.mid(i + 1, close - i - 1).contains(u'{')) {
                out.push_back({true, {}});
                i = close;
                continue;
            }
        }
        if (!c.isSpace())
            out.push_back({false, c.toCaseFolded()});
    }
    return out;
}

QString folded(const QString& text)
{
    QString out;
    for (const QChar c : text)
        if (!c.isSpace())
            out += c.toCaseFolded();
    return out;
}

}  // namespace

bool isFilledIn(const QString& entry, const QString& shown)
{
    const std::vector<Piece> p = pieces(entry);
    const QString w = folded(shown);
    const size_t n = static_cast<size_t>(w.size());
    const size_t m = p.size();
    if (n == 0 || std::none_of(p.begin(), p.end(), [](const Piece& x) { return x.placeholder; }))
        return false;
    // own[filled][i][j]: the most of the entry's own characters that can stand for the first i
    // characters of `shown`, when the match ends just before piece j and `filled` says whether a
    // placeholder took part. The match may start and end anywhere in the entry.
    constexpr int None = -1;
    const auto at = [m](size_t i, size_t j) { return i * (m + 1) + j; };
    std::vector<int> own[2] = {std::vector<int>((n + 1) * (m + 1), None),
                               std::vector<int>((n + 1) * (m + 1), None)};
    for (size_t j = 0; j <= m; ++j)
        own[0][at(0, j)] = 0;
    const auto raise = [](int& cell, int value) { cell = std::max(cell, value); };
    for (size_t i = 0; i < n; ++i)
        for (size_t j = 0; j <= m; ++j)
            for (int filled = 0; filled < 2; ++filled) {
                const int v = own[filled][at(i, j)];
                if (v == None)
                    continue;
                if (j < m && !p[j].placeholder && p[j].c == w[i])
                    raise(own[filled][at(i + 1, j + 1)], v + 1);
                if (j < m && p[j].placeholder)
                    raise(own[1][at(i + 1, j + 1)], v);
                // A placeholder just begun takes the next character too.
                if (i > 0 && j > 0 && p[j - 1].placeholder)
                    raise(own[filled][at(i + 1, j)], v);
            }
    int best = None;
    for (size_t j = 0; j <= m; ++j)
        best = std::max(best, own[1][at(n, j)]);
    return best >= OwnCharacters;
}

}  // namespace vel::help

#include "app/utils/StringRegex.h"

#include <QCache>

#include <unicode/uregex.h>
#include <unicode/utypes.h>

#include <optional>
#include <utility>

namespace
{

// Compiled patterns kept per thread for reuse (the code fields match on every keystroke).
constexpr int kCachedPatterns = 32;
// Units of ten thousand match-engine steps (a tenth of a millisecond or so each)
// after which a search gives up: ample for field texts and names, short enough
// that a runaway pattern does not freeze the window.
constexpr int32_t kSearchTimeLimit = 1000;

struct CompiledRegex {
    explicit CompiledRegex(URegularExpression* r) : regex(r) {}
    CompiledRegex(const CompiledRegex&) = delete;
    CompiledRegex& operator=(const CompiledRegex&) = delete;
    ~CompiledRegex() { uregex_close(regex); }
    URegularExpression* regex;
};

const UChar* utf16(const QString& text)
{
    return reinterpret_cast<const UChar*>(text.utf16());
}

void report(UErrorCode status, const QString& regex, RegexError* error)
{
    const QString name = QString::fromLatin1(u_errorName(status));
    const QString reason = QStringLiteral("ICU regular expression error #%1, %2.").arg(int(status)).arg(name);
    qWarning("%s Pattern: %s", qPrintable(reason), qPrintable(regex));
    if (error)
        *error = RegexError{int(status), name, reason};
}

// The pattern compiled with no flags, from the cache when it was used lately.
URegularExpression* compiled(const QString& regex, UErrorCode* status)
{
    thread_local QCache<QString, CompiledRegex> cache(kCachedPatterns);
    if (CompiledRegex* hit = cache.object(regex))
        return hit->regex;
    UParseError parseError;
    URegularExpression* re = uregex_open(utf16(regex), int32_t(regex.size()), 0, &parseError, status);
    if (U_FAILURE(*status))
        return nullptr;
    uregex_setTimeLimit(re, kSearchTimeLimit, status);
    if (U_FAILURE(*status)) {
        uregex_close(re);
        return nullptr;
    }
    auto* entry = new CompiledRegex(re);
    cache.insert(regex, entry);
    return re;
}

// Start and end (UTF-16 offsets) of the first match of the whole pattern.
std::optional<std::pair<int, int>> firstMatch(const QString& string, const QString& regex, RegexError* error)
{
    if (error)
        *error = RegexError{};
    if (string.isNull())
        return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    if (regex.isNull()) {
        report(U_ILLEGAL_ARGUMENT_ERROR, regex, error);
        return std::nullopt;
    }
    URegularExpression* re = compiled(regex, &status);
    if (!re) {
        report(status, regex, error);
        return std::nullopt;
    }
    uregex_setText(re, utf16(string), int32_t(string.size()), &status);
    std::optional<std::pair<int, int>> match;
    if (uregex_find(re, 0, &status)) {
        const int start = uregex_start(re, 0, &status);
        const int end = uregex_end(re, 0, &status);
        if (U_SUCCESS(status))
            match.emplace(start, end);
    }
    if (U_FAILURE(status))
        report(status, regex, error);
    // The cached pattern must not keep pointing at the caller's string.
    UErrorCode detach = U_ZERO_ERROR;
    uregex_setText(re, u"", 0, &detach);
    return match;
}

} // namespace

bool isMatchedByRegex(const QString& string, const QString& regex, RegexError* error)
{
    return firstMatch(string, regex, error).has_value();
}

QString stringByMatching(const QString& string, const QString& regex, RegexError* error)
{
    const std::optional<std::pair<int, int>> match = firstMatch(string, regex, error);
    if (!match)
        return QString();
    return string.mid(match->first, match->second - match->first);
}

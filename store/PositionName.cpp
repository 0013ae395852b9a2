#include "store/PositionName.h"

#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/uspoof.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace velmora
{

namespace
{

const QString kAttention = QStringLiteral("Attention");

const UChar *units(const QString &text)
{
    return reinterpret_cast<const UChar *>(text.constData());
}

// The text in one of ICU's normal forms; unchanged should ICU fail.
QString normalized(const QString &text, const UNormalizer2 *form)
{
    UErrorCode status = U_ZERO_ERROR;
    if (!form || unorm2_isNormalized(form, units(text), int32_t(text.size()), &status)
        || U_FAILURE(status))
        return text;
    const int32_t length = unorm2_normalize(form, units(text), int32_t(text.size()), nullptr, 0,
        &status); // asks for the length only
    if (status != U_BUFFER_OVERFLOW_ERROR)
        return text;
    QString result(length, Qt::Uninitialized);
    status = U_ZERO_ERROR;
    unorm2_normalize(form, units(text), int32_t(text.size()),
        reinterpret_cast<UChar *>(result.data()), length, &status);
    return U_SUCCESS(status) ? result : text;
}

const UNormalizer2 *composed()
{
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2 *form = unorm2_getNFCInstance(&status);
    return U_SUCCESS(status) ? form : nullptr;
}

const UNormalizer2 *decomposed()
{
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2 *form = unorm2_getNFDInstance(&status);
    return U_SUCCESS(status) ? form : nullptr;
}

// The code points of the text, a lone half of a surrogate pair kept as
// itself (QString::toUcs4 would turn it into U+FFFD).
std::vector<UChar32> codePoints(const QString &text)
{
    std::vector<UChar32> points;
    points.reserve(size_t(text.size()));
    const int32_t length = int32_t(text.size());
    for (int32_t i = 0; i < length;) {
        UChar32 c = 0;
        U16_NEXT(units(text), i, length, c);
        points.push_back(c);
    }
    return points;
}

bool has(UChar32 c, UProperty property)
{
    return u_hasBinaryProperty(c, property) != 0;
}

// An invisible character that belongs to the emoji before it or around it:
// the joiner of a family, a variation selector, the tags of a flag.
bool partOfEmoji(const std::vector<UChar32> &points, size_t i)
{
    const UChar32 c = points[i];
    if (i == 0)
        return false;
    if (c == 0xFE0E || c == 0xFE0F)
        return has(points[i - 1], UCHAR_EMOJI);
    if (c == 0x200D) {
        size_t base = i - 1;
        while (base > 0 && (points[base] == 0xFE0F || has(points[base], UCHAR_EMOJI_MODIFIER)))
            --base;
        return i + 1 < points.size() && has(points[base], UCHAR_EXTENDED_PICTOGRAPHIC)
            && has(points[i + 1], UCHAR_EXTENDED_PICTOGRAPHIC);
    }
    if (c >= 0xE0020 && c <= 0xE007F) {
        size_t base = i - 1;
        while (base > 0 && points[base] >= 0xE0020 && points[base] <= 0xE007E)
            --base;
        return points[base] == 0x1F3F4; // a black flag with its region
    }
    return false;
}

enum class Look {
    Visible,
    Mark, // a blank or a combining mark: visible only beside something else
    Hidden,
    Unagreed, // private use, unassigned, a noncharacter
};

Look lookOf(const std::vector<UChar32> &points, size_t i)
{
    const UChar32 c = points[i];
    // The braille blank draws nothing at all, like a space that is not one.
    if (U_IS_SURROGATE(c) || c == 0x2800)
        return Look::Hidden;
    if (has(c, UCHAR_NONCHARACTER_CODE_POINT))
        return Look::Unagreed;
    switch (u_charType(c)) {
    case U_CONTROL_CHAR:
    case U_LINE_SEPARATOR:
    case U_PARAGRAPH_SEPARATOR:
        return Look::Hidden;
    case U_PRIVATE_USE_CHAR:
    case U_UNASSIGNED:
        return Look::Unagreed;
    case U_FORMAT_CHAR:
        return partOfEmoji(points, i) ? Look::Mark : Look::Hidden;
    default:
        break;
    }
    // Fillers (U+3164), variation selectors and the grapheme joiner.
    if (has(c, UCHAR_DEFAULT_IGNORABLE_CODE_POINT))
        return partOfEmoji(points, i) ? Look::Mark : Look::Hidden;
    const int8_t type = u_charType(c);
    if (has(c, UCHAR_WHITE_SPACE) || type == U_NON_SPACING_MARK || type == U_ENCLOSING_MARK)
        return Look::Mark;
    return Look::Visible;
}

Message refusal(const char *prompt)
{
    return {QString::fromLatin1(prompt), MsgStyle::Stop, kAttention};
}

const USpoofChecker *spoofChecker()
{
    static USpoofChecker *const checker = [] {
        UErrorCode status = U_ZERO_ERROR;
        USpoofChecker *opened = uspoof_open(&status);
        return U_SUCCESS(status) ? opened : nullptr;
    }();
    return checker;
}

QString skeleton(const QString &text)
{
    const USpoofChecker *checker = spoofChecker();
    if (!checker)
        return normalized(text, decomposed());
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length
        = uspoof_getSkeleton(checker, 0, units(text), int32_t(text.size()), nullptr, 0, &status);
    QString result(length, Qt::Uninitialized);
    status = U_ZERO_ERROR;
    uspoof_getSkeleton(checker, 0, units(text), int32_t(text.size()),
        reinterpret_cast<UChar *>(result.data()), length, &status);
    return U_SUCCESS(status) ? result : normalized(text, decomposed());
}

// FNV-1a over UTF-16 units.
constexpr size_t kHashStart = 14695981039346656037ULL;
constexpr size_t kHashFactor = 1099511628211ULL;

// The skeletons of the ASCII characters, for names made of them alone (most
// names; a file may hold a hundred thousand). Concatenating them is the
// skeleton of the name as long as none holds a combining mark, which the
// final decomposition could move; a character whose skeleton does is left
// to ICU.
class AsciiLooks
{
public:
    AsciiLooks()
    {
        for (char16_t c = 0; c < 128; ++c) {
            m_looks[c] = skeleton(QString(QChar(c)));
            for (const QChar part : std::as_const(m_looks[c]))
                m_plain[c] = m_plain[c] && u_getCombiningClass(part.unicode()) == 0;
        }
    }

    // False when the name needs ICU.
    bool append(const QString &name, QString &look) const
    {
        for (const QChar c : name) {
            if (c.unicode() >= 128 || !m_plain[c.unicode()])
                return false;
            look += m_looks[c.unicode()];
        }
        return true;
    }

    // lookHash() of the look of a printable ASCII name; nothing when it
    // needs more.
    std::optional<size_t> hash(QByteArrayView name) const
    {
        if (name.isEmpty() || name.front() == ' ' || name.back() == ' ')
            return std::nullopt;
        size_t hash = kHashStart;
        for (const char byte : name) {
            const auto c = static_cast<unsigned char>(byte);
            if (c < 0x20 || c >= 0x7f || !m_plain[c])
                return std::nullopt;
            for (const QChar unit : m_looks[c])
                hash = (hash ^ unit.unicode()) * kHashFactor;
        }
        return hash;
    }

private:
    std::array<QString, 128> m_looks;
    std::array<bool, 128> m_plain {[] {
        std::array<bool, 128> all {};
        all.fill(true);
        return all;
    }()};
};

const AsciiLooks &asciiLooks()
{
    static const AsciiLooks looks;
    return looks;
}

// Printable ASCII without blanks around it: the name as it is (most names).
bool plainAscii(const QString &text)
{
    if (text.isEmpty() || text.front() == u' ' || text.back() == u' ')
        return false;
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u' ' && c < u'\x7f'; });
}

// What a listing or a message cannot print as it is.
bool needsEscape(QChar c)
{
    if (c.unicode() == u'\\')
        return true;
    if (c.unicode() >= 0x20 && c.unicode() < 0x7f)
        return false;
    const QChar::Category category = c.category();
    return category == QChar::Other_Control || category == QChar::Separator_Line
        || category == QChar::Separator_Paragraph;
}

} // namespace

QString positionName(const QString &typed)
{
    if (plainAscii(typed))
        return typed;
    QString spaced = typed;
    for (QChar &c : spaced) {
        if (c.category() == QChar::Separator_Space)
            c = u' ';
    }
    return normalized(spaced.trimmed(), composed());
}

QStringList storedForms(const QString &name)
{
    QStringList forms {name};
    const QString decomposedName = normalized(name, decomposed());
    if (decomposedName != name)
        forms << decomposedName;
    return forms;
}

std::optional<Message> nameRefusal(const QString &name)
{
    const std::vector<UChar32> points = codePoints(name);
    bool visible = false;
    for (size_t i = 0; i < points.size(); ++i) {
        switch (lookOf(points, i)) {
        case Look::Hidden:
            return refusal("File Name cannot contain line breaks, tabs, control or invisible "
                           "characters.");
        case Look::Unagreed:
            return refusal("File Name cannot contain private-use, unassigned or noncharacter "
                           "code points.");
        case Look::Visible:
            visible = true;
            break;
        case Look::Mark:
            break;
        }
    }
    if (!visible)
        return refusal("File Name has nothing visible in it.");
    return std::nullopt;
}

QString nameLook(const QString &name)
{
    const AsciiLooks &ascii = asciiLooks();
    QString look;
    look.reserve(name.size());
    if (ascii.append(name, look))
        return look;
    // Unicode's table takes the small palochka for a dotless i, though it is
    // drawn as the full stroke of its capital, which it takes for an l.
    QString drawn = name;
    drawn.replace(QChar(0x04CF), QChar(0x04C0));
    return skeleton(drawn);
}

size_t lookHash(QStringView look)
{
    size_t hash = kHashStart;
    for (const QChar unit : look)
        hash = (hash ^ unit.unicode()) * kHashFactor;
    return hash;
}

size_t storedLookHash(QByteArrayView utf8)
{
    if (const std::optional<size_t> ascii = asciiLooks().hash(utf8))
        return *ascii;
    return lookHash(nameLook(positionName(QString::fromUtf8(utf8))));
}

QString printableName(const QString &stored)
{
    // A listing prints tens of thousands of names, nearly all plain: those go
    // out as stored, without building a copy.
    if (std::none_of(stored.begin(), stored.end(), needsEscape))
        return stored;
    QString line;
    line.reserve(stored.size() + 8);
    for (const QChar c : stored) {
        switch (c.unicode()) {
        case u'\\':
            line += QStringLiteral("\\\\");
            break;
        case u'\n':
            line += QStringLiteral("\\n");
            break;
        case u'\t':
            line += QStringLiteral("\\t");
            break;
        case u'\r':
            line += QStringLiteral("\\r");
            break;
        default:
            if (needsEscape(c))
                line += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                line += c;
        }
    }
    return line;
}

} // namespace velmora

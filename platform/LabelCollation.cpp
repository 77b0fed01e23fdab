#include "LabelCollation.h"

#include "Cp1250.h"

#include <QCollator>

#include <unicode/ucol.h>
#include <unicode/ucoleitr.h>
#include <unicode/uset.h>

#include <array>
#include <memory>
#include <vector>

namespace {

// One per thread: a collator sets itself up lazily on its first comparison, so it must not
// be shared by threads that sort at the same time.
const QCollator &labelCollator()
{
    thread_local const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Czech, QLocale::Czechia));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

struct Weights
{
    std::string primary;
    std::string secondary;
};

// The collation elements of every code page 1250 character and of the character pairs among
// them that weigh as one (contractions and prefix rules: "ch", "l·"), from the ICU collator that
// QCollator uses with the same settings. ICU compares the nonzero primary bytes of all elements,
// then their secondary bytes; its own keys only compress these, so the concatenation sorts the same
// way.
class WeightTable
{
public:
    WeightTable()
    {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<UCollator, decltype(&ucol_close)> collator(ucol_open("cs_CZ", &status),
                                                                   &ucol_close);
        ucol_setAttribute(collator.get(), UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
        ucol_setAttribute(collator.get(), UCOL_STRENGTH, UCOL_SECONDARY, &status);
        Q_ASSERT(U_SUCCESS(status));
        for (int byte = 1; byte < 256; ++byte)
            m_single[byte] = weightsOf(collator.get(), std::string(1, char(byte)));

        std::unique_ptr<USet, decltype(&uset_close)> contractions(uset_openEmpty(), &uset_close);
        // With the prefix rules: a "·" after "l" weighs as an accent of the "l".
        ucol_getContractionsAndExpansions(collator.get(), contractions.get(), nullptr, true,
                                          &status);
        for (int i = 0; i < uset_getItemCount(contractions.get()); ++i) {
            std::array<UChar, 4> text{};
            UChar32 start = 0, end = 0;
            const int length =
                uset_getItem(contractions.get(), i, &start, &end, text.data(), 4, &status);
            if (length != 2)
                continue;
            const auto bytes = toCp1250(QStringView(text.data(), 2));
            if (!bytes)
                continue;
            m_pairs.push_back({*bytes, weightsOf(collator.get(), *bytes)});
            m_joinsWith[(unsigned char)(*bytes)[0]] += (*bytes)[1];
        }
    }

    // Appends the weights of the characters at text[i] (one or two) and moves i past them.
    void append(std::string_view text, std::size_t &i, std::string &primary,
                std::string &secondary) const
    {
        const unsigned char byte = (unsigned char)text[i];
        if (!m_joinsWith[byte].empty() && i + 1 < text.size()) {
            for (const auto &[pair, weights] : m_pairs) {
                if (pair[0] == text[i] && pair[1] == text[i + 1]) {
                    primary += weights.primary;
                    secondary += weights.secondary;
                    i += 2;
                    return;
                }
            }
        }
        primary += m_single[byte].primary;
        secondary += m_single[byte].secondary;
        ++i;
    }

    std::string_view joinsWith(char last) const { return m_joinsWith[(unsigned char)last]; }

private:
    static Weights weightsOf(UCollator *collator, const std::string &bytes)
    {
        const QString text = fromCp1250(bytes);
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<UCollationElements, decltype(&ucol_closeElements)> elements(
            ucol_openElements(collator, reinterpret_cast<const UChar *>(text.utf16()),
                              int32_t(text.size()), &status),
            &ucol_closeElements);
        Weights weights;
        for (int32_t element; (element = ucol_next(elements.get(), &status)) != UCOL_NULLORDER;) {
            const auto bits = uint32_t(element);
            for (const char byte : {char(bits >> 24), char(bits >> 16)})
                if (byte)
                    weights.primary += byte;
            if (const char byte = char(bits >> 8))
                weights.secondary += byte;
        }
        return weights;
    }

    std::array<Weights, 256> m_single;
    std::vector<std::pair<std::string, Weights>> m_pairs;
    std::array<std::string, 256> m_joinsWith;
};

const WeightTable &weightTable()
{
    static const WeightTable table;
    return table;
}

// The primary and secondary weights of the label without its marks; false if nothing is left.
bool weightsOf(std::string_view label, std::string &primary, std::string &secondary)
{
    const WeightTable &table = weightTable();
    // Kept from label to label: a million keys need no million scratch blocks.
    thread_local std::string stripped;
    stripped.clear();
    for (const char byte : label)
        if (!LabelCollation::isWordMark(byte) && byte != '\0')
            stripped += byte;
    for (std::size_t i = 0; i < stripped.size();)
        table.append(stripped, i, primary, secondary);
    return !stripped.empty();
}

// Below every weight byte: the primary weights of a shorter label come first.
constexpr char kLevelSeparator = '\x01';
// Above every primary weight byte.
constexpr char kPrimaryMaximum = '\xFF';

} // namespace

namespace LabelCollation {

bool isWordMark(char byte)
{
    return byte == '-' || byte == '\'';
}

QString withoutWordMarks(const QString &text)
{
    QString stripped = text;
    stripped.remove(QLatin1Char('-'));
    stripped.remove(QLatin1Char('\''));
    return stripped;
}

int compareTies(const QString &a, const QString &b)
{
    const qsizetype marksA = a.count(QLatin1Char('-')) + a.count(QLatin1Char('\''));
    const qsizetype marksB = b.count(QLatin1Char('-')) + b.count(QLatin1Char('\''));
    if (marksA != marksB)
        return marksA < marksB ? -1 : 1;
    return labelCollator().compare(a, b);
}

int compare(const QString &a, const QString &b)
{
    if (const int order = labelCollator().compare(withoutWordMarks(a), withoutWordMarks(b)))
        return order;
    return compareTies(a, b);
}

void appendSortKey(std::string_view label, std::string &key)
{
    thread_local std::string secondary;
    secondary.clear();
    // Nothing but marks: the empty key, before labels of characters that weigh nothing at
    // all, as the collator puts the empty text before every other.
    if (!weightsOf(label, key, secondary))
        return;
    key += kLevelSeparator;
    key += secondary;
}

std::string sortKey(std::string_view label)
{
    std::string key;
    appendSortKey(label, key);
    return key;
}

std::string prefixBound(std::string_view label)
{
    std::string primary, secondary;
    weightsOf(label, primary, secondary);
    return primary + kPrimaryMaximum;
}

std::string_view contractionsAfter(char last)
{
    return weightTable().joinsWith(last);
}

} // namespace LabelCollation

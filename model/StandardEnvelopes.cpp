#include "StandardEnvelopes.h"

#include <QCoreApplication>

namespace {

struct StandardSize
{
    const char *label;
    int width; // tenths of a millimetre, long side
    int height;
};

constexpr StandardSize kSizes[] = {
    {"C4", 3240, 2290}, {"C5", 2290, 1620},     {"C6", 1620, 1140},     {"C6/5", 2290, 1140},
    {"DL", 2200, 1100}, {"E4", 4000, 2800},     {"B4", 3530, 2500},     {"B5", 2500, 1760},
    {"B6", 1760, 1250}, {"US #10", 2413, 1048}, {"Monarch", 1905, 984},
};

// Tenths of a millimetre to centimetres, rounded to whole millimetres.
float centimetresRoundedToMillimetre(int tenths)
{
    return float((tenths + 5) / 10) / 10.0f;
}

EnvelopeFormat standardFormat(const StandardSize &size)
{
    EnvelopeFormat format;
    format.label = size.label;
    format.width = float(size.width) / 100.0f;
    format.height = float(size.height) / 100.0f;
    format.senderLeft = 1.0f;
    format.senderTop = 1.0f;
    // Czech Post reads the addressee in the lower right part of the front: below the
    // sender's and the stamp's band (4 cm on the smallest sizes) and clear of the coding
    // strip along the bottom edge. Starting at half the height and 5 mm left of the middle
    // leaves a long address line more than half the width and five lines of 12 points room.
    format.addresseeLeft = centimetresRoundedToMillimetre(size.width / 2 - 50);
    format.addresseeTop = centimetresRoundedToMillimetre(size.height / 2);
    return format;
}

} // namespace

std::vector<EnvelopeFormat> standardEnvelopeFormats()
{
    std::vector<EnvelopeFormat> formats;
    for (const StandardSize &size : kSizes)
        formats.push_back(standardFormat(size));
    return formats;
}

RestoreOutcome addStandardEnvelopeFormats(EnvelopeFormatArray &envelopes)
{
    return mergeEnvelopeFormats(envelopes, standardEnvelopeFormats());
}

QString standardEnvelopesTitle()
{
    return QCoreApplication::translate("StandardEnvelopes", "Standardní formáty obálek");
}

QString standardEnvelopesReport(const std::vector<std::string> &skippedLabels)
{
    return QCoreApplication::translate("StandardEnvelopes",
                                       "Standardní formáty obálek byly přidány.\n\n") +
           labelListSection(
               QCoreApplication::translate("StandardEnvelopes",
                                           "Tyto obálky již existovaly a nebyly přidány:\n"),
               skippedLabels);
}

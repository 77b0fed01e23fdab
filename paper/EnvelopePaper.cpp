#include "EnvelopePaper.h"

#include <QMarginsF>

#include <algorithm>
#include <cmath>

namespace EnvelopePaper {

namespace {

// Envelope sizes that printer drivers name; others (E4, say) get a custom size.
constexpr QPageSize::PageSizeId kStandardEnvelopes[] = {
    QPageSize::EnvelopeDL,      QPageSize::EnvelopeC4,  QPageSize::EnvelopeC5,
    QPageSize::EnvelopeC6,      QPageSize::EnvelopeC65, QPageSize::EnvelopeB4,
    QPageSize::EnvelopeB5,      QPageSize::EnvelopeB6,  QPageSize::Envelope10,
    QPageSize::EnvelopeMonarch,
};

constexpr double kMatchToleranceMm = 0.5;

// Short side first, as page sizes are defined.
QSizeF portrait(QSizeF size)
{
    return {std::min(size.width(), size.height()), std::max(size.width(), size.height())};
}

} // namespace

QSizeF millimetres(const EnvelopeFormat &format)
{
    return {double(format.width) * 10.0, double(format.height) * 10.0};
}

std::optional<QPageSize::PageSizeId> standardSize(QSizeF millimetres)
{
    const QSizeF wanted = portrait(millimetres);
    for (const QPageSize::PageSizeId id : kStandardEnvelopes) {
        const QSizeF size = portrait(QPageSize::size(id, QPageSize::Millimeter));
        if (std::abs(size.width() - wanted.width()) <= kMatchToleranceMm &&
            std::abs(size.height() - wanted.height()) <= kMatchToleranceMm)
            return id;
    }
    return std::nullopt;
}

QPageLayout pageLayout(QSizeF millimetres)
{
    if (!(millimetres.width() > 0.0 && millimetres.height() > 0.0))
        return {};
    const std::optional<QPageSize::PageSizeId> id = standardSize(millimetres);
    const QPageSize size = id ? QPageSize(*id)
                              : QPageSize(portrait(millimetres), QPageSize::Millimeter, QString(),
                                          QPageSize::ExactMatch);
    // Most sizes are defined standing, a few (B6) lying: turn the page when the envelope
    // lies the other way.
    const QSizeF defined = size.size(QPageSize::Millimeter);
    const bool turned =
        (millimetres.width() > millimetres.height()) != (defined.width() > defined.height());
    const auto orientation = turned ? QPageLayout::Landscape : QPageLayout::Portrait;
    return QPageLayout(size, orientation, QMarginsF(), QPageLayout::Millimeter, QMarginsF());
}

QPageLayout pageLayout(const EnvelopeFormat &format)
{
    return pageLayout(millimetres(format));
}

} // namespace EnvelopePaper

#pragma once

#include "central/printedlisting.h"

#include <QSize>

#include <functional>

class QPagedPaintDevice;
class QPainter;

namespace varn::central {

// Lays a printed listing out on pages: a header naming the system and the
// day on every page with the column titles, then per requirement a row of
// its columns and its sentence, wrapped, below. Each column is as wide as its
// head and its widest value; when they do not all fit the page, the widest
// columns give way first and wrap their texts at blanks, none narrower than
// the longest word of its head or values. A requirement is never split
// across two pages unless it is longer than a page.
class ListingPainter
{
public:
    explicit ListingPainter(const PrintedListing &listing) : m_listing(listing) {}

    // Paints every page on the device (a printer or a PDF writer); returns
    // the number of pages.
    int paint(QPagedPaintDevice &device) const;
    // Paints on an open painter whose pages are `page` device pixels large;
    // newPage starts the next one.
    int paint(QPainter &painter, const QSize &page, const std::function<void()> &newPage) const;

private:
    const PrintedListing &m_listing;
};

} // namespace varn::central

#pragma once

#include "central/printedlisting.h"

class QPagedPaintDevice;
class QPainter;

namespace varn::central {

// Lays a printed listing out on pages: a header naming the system and the
// day on every page with the column titles, then per requirement a row of
// its columns and its sentence, wrapped, below. A requirement is never split
// across two pages unless it is longer than a page.
class ListingPainter
{
public:
    explicit ListingPainter(const PrintedListing &listing) : m_listing(listing) {}

    // Paints every page on the device (a printer or a PDF writer); returns
    // the number of pages.
    int paint(QPagedPaintDevice &device) const;

private:
    const PrintedListing &m_listing;
};

} // namespace varn::central

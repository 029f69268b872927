#include "central/widgets/requirementprinting.h"

#include "app/cvarnapp.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "central/centraltr.h"
#include "central/printedlisting.h"
#include "central/widgets/centralviewfeature.h"
#include "central/widgets/cvarnview.h"
#include "central/widgets/listingpainter.h"

#include <QAction>
#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>

#include <algorithm>

namespace varn::central {

namespace {

// Room beside the page for the tool bar's ends, the frame and the scroll bar.
constexpr int kPreviewChrome = 120;

// The preview opens as large as a page shown at its own size (within the
// screen), with the page fitted to the window's width, so it reads as it
// prints.
void openReadable(QPrintPreviewDialog &preview, const QPrinter &printer, QWidget *parent)
{
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen->availableGeometry();
    const qreal pageWidth =
        printer.pageLayout().fullRectPoints().width() * screen->logicalDotsPerInchX() / 72.0;
    preview.resize(std::min(int(pageWidth) + kPreviewChrome, available.width() * 9 / 10),
                   available.height() * 9 / 10);
    if (auto *fitWidth = preview.findChild<QAction *>(QStringLiteral("fitWidthAction")))
        fitWidth->trigger();
}

} // namespace

void printListedRequirements(app::Workbench &workbench)
{
    const auto *view = qobject_cast<CVarnView *>(workbench.view(kCentralWindow));
    if (!view)
        return;
    Result<PrintedListing> listing = PrintedListing::of(
        view->central().model(), workbench.app().systemName(), QDate::currentDate());
    if (!listing) {
        workbench.showMessage(listing.outcome());
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(listing->documentName);
    QPrintPreviewDialog preview(&printer, workbench.dialogParent());
    preview.setWindowTitle(Tr::tr("Print Preview - %1").arg(listing->title));
    const ListingPainter painter(listing.value());
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&painter](QPrinter *target) { painter.paint(*target); });
    openReadable(preview, printer, workbench.dialogParent());
    workbench.presenter().runDialog(preview);
}

} // namespace varn::central

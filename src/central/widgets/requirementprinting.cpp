#include "central/widgets/requirementprinting.h"

#include "app/cvarnapp.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "central/printedlisting.h"
#include "central/widgets/cvarnview.h"
#include "central/widgets/listingpainter.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace varn::central {

void printListedRequirements(app::Workbench &workbench)
{
    const auto *view =
        qobject_cast<CVarnView *>(workbench.view(app::WindowKind::RequirementsCentral));
    if (!view)
        return;
    Result<PrintedListing> listing = PrintedListing::of(
        view->central().model(), workbench.app().systemName(), QDate::currentDate());
    if (!listing) {
        workbench.showMessage(listing.outcome());
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(listing->title);
    QPrintPreviewDialog preview(&printer, workbench.dialogParent());
    preview.setWindowTitle(QStringLiteral("Print Preview - ") + listing->title);
    const ListingPainter painter(listing.value());
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&painter](QPrinter *target) { painter.paint(*target); });
    workbench.presenter().runDialog(preview);
}

} // namespace varn::central

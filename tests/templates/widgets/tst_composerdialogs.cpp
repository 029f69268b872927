// What every composer shares, checked on each of them: a template (by its
// number), the Requirement Builder (0) and the technical composer (23). Their
// colours, the names screen readers hear, what Esc and Close guard, what the
// Preview Area shows after a save, and how the boxes read.

#include "app/widgets/labelledcontrols.h"
#include "app/widgets/screenshot.h"
#include "app/widgets/workspacesuite.h"
#include "support/appconnections.h"
#include "templates/widgets/draftattributecontrols.h"
#include "templates/widgets/functionaltemplatedialog.h"
#include "templates/widgets/requirementbuilderdialog.h"
#include "templates/widgets/structuraltemplatedialog.h"
#include "templates/widgets/technicalcomposerdialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QtTest>

#include <memory>

using namespace varn;
using varn::templates::DraftAttributeControls;
using varn::templates::FunctionalTemplateDialog;
using varn::templates::RequirementBuilderDialog;
using varn::templates::StructuralControl;
using varn::templates::StructuralTemplateDialog;
using varn::templates::TechnicalComposerDialog;

namespace {

constexpr int kBuilder = 0;
constexpr int kTechnical = 23;

std::unique_ptr<QDialog> openComposer(app::Workbench &workbench, int source, int number = -1,
                                      bool edit = false)
{
    if (source == kBuilder)
        return std::make_unique<RequirementBuilderDialog>(workbench, number, edit);
    if (source == kTechnical)
        return std::make_unique<TechnicalComposerDialog>(workbench, number, edit);
    if (source <= 18)
        return std::make_unique<FunctionalTemplateDialog>(workbench, source, number, edit);
    return std::make_unique<StructuralTemplateDialog>(workbench, source, number, edit);
}

QString composerName(int source)
{
    if (source == kBuilder)
        return QStringLiteral("builder");
    if (source == kTechnical)
        return QStringLiteral("technical");
    return QStringLiteral("template %1").arg(source);
}

QPushButton *buttonOf(const QDialog &dialog, const QString &text)
{
    for (QPushButton *button : dialog.findChildren<QPushButton *>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

DraftAttributeControls *attributesOf(QDialog &dialog)
{
    if (auto *builder = dynamic_cast<RequirementBuilderDialog *>(&dialog))
        return builder->attributes();
    if (auto *technical = dynamic_cast<TechnicalComposerDialog *>(&dialog))
        return technical->attributes();
    return dynamic_cast<templates::TemplateDialogFrame &>(dialog).attributes();
}

QPlainTextEdit *previewOf(QDialog &dialog)
{
    if (auto *builder = dynamic_cast<RequirementBuilderDialog *>(&dialog))
        return builder->previewArea();
    return dynamic_cast<templates::TemplateDialogFrame &>(dialog).previewArea();
}

QLineEdit *editModeOf(QDialog &dialog)
{
    if (auto *builder = dynamic_cast<RequirementBuilderDialog *>(&dialog))
        return builder->editModeBox();
    if (auto *technical = dynamic_cast<TechnicalComposerDialog *>(&dialog))
        return technical->editModeBox();
    return dynamic_cast<templates::TemplateDialogFrame &>(dialog).editModeBox();
}

// The worked example, or a sentence of one's own in the technical composer.
void fillSaveable(QDialog &dialog, int source)
{
    if (source == kTechnical)
        QTest::keyClicks(static_cast<TechnicalComposerDialog &>(dialog).textBox(),
                         QStringLiteral("log every login"));
    else
        buttonOf(dialog, QStringLiteral("See Example"))->click();
}

// Changes a word of the sentence as the user would.
void changeSentence(QDialog &dialog, int source)
{
    if (source == kBuilder) {
        QLineEdit *cell = static_cast<RequirementBuilderDialog &>(dialog).cell(1);
        cell->selectAll();
        QTest::keyClicks(cell, QStringLiteral("to warn"));
    } else if (source <= 18) {
        static_cast<FunctionalTemplateDialog &>(dialog).setFieldText(1, QStringLiteral("to warn"));
    } else {
        static_cast<StructuralTemplateDialog &>(dialog).setControlText(
            StructuralControl::Entity, QStringLiteral("warning beacon"));
    }
}

double luminance(QRgb pixel)
{
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(pixel)) + 0.7152 * channel(qGreen(pixel)) +
           0.0722 * channel(qBlue(pixel));
}

// The contrast of the darkest and the lightest pixel inside a box's frame,
// as painted: the text against its ground.
double paintedContrast(QWidget &box)
{
    const QImage image = box.grab().toImage();
    double darkest = 1;
    double lightest = 0;
    for (int y = 4; y < image.height() - 4; ++y) {
        for (int x = 4; x < image.width() - 4; ++x) {
            const double l = luminance(image.pixel(x, y));
            darkest = std::min(darkest, l);
            lightest = std::max(lightest, l);
        }
    }
    return (lightest + 0.05) / (darkest + 0.05);
}

} // namespace

class ComposerDialogsTest : public WorkspaceSuite
{
    Q_OBJECT

    // Saves the composer's worked example (or a sentence) as requirement 1.
    void saveOne(int source)
    {
        std::unique_ptr<QDialog> dialog = openComposer(m_open->workbench, source);
        fillSaveable(*dialog, source);
        buttonOf(*dialog, QStringLiteral("Save"))->click();
        QCOMPARE(m_presenter.texts(), QStringList());
    }

    QString storedSentence(int number) const
    {
        QSqlQuery query(requirementsDatabaseOf(m_open->app));
        query.prepare(QStringLiteral("SELECT Preamble, ReqText FROM MASTER_REQ WHERE Req_Num = ?"));
        query.addBindValue(number);
        if (!query.exec() || !query.next())
            return QString();
        return query.value(0).toString() + QLatin1Char(' ') + query.value(1).toString() +
               QLatin1Char('.');
    }

private slots:
    // The templates paint their own shade of the workspace's colour choice;
    // the Builder always the first.
    void backgroundFollowsTheColourChoice_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QColor>("colour");
        const QColor shades[] = {QColor(160, 219, 248), QColor(249, 216, 189),
                                 QColor(249, 213, 255)};
        for (int source : {9, 20, kBuilder}) {
            for (int choice = 0; choice < 3; ++choice)
                QTest::addRow("%s, choice %d", qPrintable(composerName(source)), choice)
                    << source << choice << (source == kBuilder ? shades[0] : shades[choice]);
        }
    }

    void backgroundFollowsTheColourChoice()
    {
        QFETCH(int, source);
        QFETCH(int, choice);
        QFETCH(QColor, colour);
        m_open->workbench.setBackgroundColour(choice);
        std::unique_ptr<QDialog> dialog = openComposer(m_open->workbench, source);
        QCOMPARE(dialog->palette().color(QPalette::Window), colour);
        QCOMPARE(m_presenter.texts(), QStringList());
        if (source == 9 || (source == kBuilder && choice == 0)) {
            fillSaveable(*dialog, source);
            saveScreenshot(*dialog,
                           QStringLiteral("%1-colour-%2.png")
                               .arg(composerName(source).replace(' ', '-'))
                               .arg(choice),
                           colour);
        }
    }

    // Every control the keyboard reaches, a drop-down's own line edit and an
    // empty Builder cell among them, has a name for screen readers: its
    // label, or its place.
    void everyControlHasAName_data()
    {
        QTest::addColumn<int>("source");
        for (int source = kBuilder; source <= kTechnical; ++source)
            QTest::addRow("%s", qPrintable(composerName(source))) << source;
    }

    void everyControlHasAName()
    {
        QFETCH(int, source);
        std::unique_ptr<QDialog> dialog = openComposer(m_open->workbench, source);
        QCOMPARE(unnamedControls(*dialog).join(", "), QString());
        QCOMPARE(misnamedControls(*dialog), QStringList());
        if (source == kTechnical)
            return;
        buttonOf(*dialog, QStringLiteral("See Example"))->click();
        QCOMPARE(unnamedControls(*dialog).join(", "), QString());
        QCOMPARE(misnamedControls(*dialog), QStringList());
        if (source == kBuilder) {
            auto &builder = static_cast<RequirementBuilderDialog &>(*dialog);
            QCOMPARE(builder.cell(4)->accessibleName(), QStringLiteral("entity"));
            QCOMPARE(builder.cell(26)->accessibleName(), QStringLiteral("Term 27"));
        }
        if (source == 9) {
            auto &functional = static_cast<FunctionalTemplateDialog &>(*dialog);
            auto *entity = qobject_cast<QComboBox *>(functional.fieldControl(4));
            QCOMPARE(entity->lineEdit()->accessibleName(), QStringLiteral("entity"));
        }
    }

    // Esc and Close ask before typed attributes are lost as they ask for
    // the sentence; nothing typed closes at once.
    void closingAsksForTypedAttributes_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<QString>("attribute");
        for (int source : {9, 21, kBuilder, kTechnical}) {
            for (const char *attribute :
                 {"", "Paragraph", "Category", "Priority", "Release", "Comments"})
                QTest::addRow("%s, %s", qPrintable(composerName(source)),
                              *attribute ? attribute : "nothing typed")
                    << source << QString::fromLatin1(attribute);
        }
    }

    void closingAsksForTypedAttributes()
    {
        QFETCH(int, source);
        QFETCH(QString, attribute);
        std::unique_ptr<QDialog> dialog = openComposer(m_open->workbench, source);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        DraftAttributeControls &attributes = *attributesOf(*dialog);
        const std::map<QString, QWidget *> controls = {
            {QStringLiteral("Paragraph"), attributes.paragraph()},
            {QStringLiteral("Category"), attributes.category()},
            {QStringLiteral("Priority"), attributes.priority()},
            {QStringLiteral("Release"), attributes.release()},
            {QStringLiteral("Comments"), attributes.comments()}};
        if (!attribute.isEmpty()) {
            QWidget *control = controls.at(attribute);
            if (qobject_cast<QComboBox *>(control))
                QTest::keyClick(control, Qt::Key_Down);
            else
                QTest::keyClicks(control, QStringLiteral("3.1"));
        }
        QTest::keyClick(attributes.paragraph(), Qt::Key_Escape);
        QCOMPARE(m_presenter.questions.size(), attribute.isEmpty() ? 0 : 1);
        QCOMPARE(dialog->isVisible(), !attribute.isEmpty());
        if (attribute.isEmpty())
            return;
        m_presenter.yesNoAnswers = {true};
        buttonOf(*dialog, QStringLiteral("Close"))->click();
        QCOMPARE(m_presenter.questions.size(), 2);
        QVERIFY(!dialog->isVisible());
    }

    // After a save the Preview Area shows the sentence saved, not one
    // previewed before the last change; the saved attributes are not asked
    // about on closing.
    void previewShowsTheSavedSentence_data()
    {
        QTest::addColumn<int>("source");
        for (int source : {1, 9, 18, 19, 20, 21, 22, kBuilder})
            QTest::addRow("%s", qPrintable(composerName(source))) << source;
    }

    void previewShowsTheSavedSentence()
    {
        QFETCH(int, source);
        std::unique_ptr<QDialog> dialog = openComposer(m_open->workbench, source);
        dialog->show();
        fillSaveable(*dialog, source);
        QTest::keyClicks(attributesOf(*dialog)->comments(), QStringLiteral("checked"));
        buttonOf(*dialog, QStringLiteral("Preview"))->click();
        const QString before = previewOf(*dialog)->toPlainText();
        changeSentence(*dialog, source);
        buttonOf(*dialog, QStringLiteral("Save"))->click();
        QCOMPARE(m_presenter.texts(), QStringList());
        const QString saved = storedSentence(1);
        QVERIFY(saved != before);
        QCOMPARE(previewOf(*dialog)->toPlainText(), saved);

        QTest::keyClick(attributesOf(*dialog)->paragraph(), Qt::Key_Escape);
        QCOMPARE(m_presenter.questions, QStringList());
        QVERIFY(!dialog->isVisible());
    }

    // "EDIT MODE" reads clearly against its box.
    void editModeIsReadable_data()
    {
        QTest::addColumn<int>("source");
        for (int source : {9, 20, kBuilder, kTechnical})
            QTest::addRow("%s", qPrintable(composerName(source))) << source;
    }

    void editModeIsReadable()
    {
        QFETCH(int, source);
        saveOne(source);
        std::unique_ptr<QDialog> dialog = openComposer(m_open->workbench, source, 1, true);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QLineEdit *box = editModeOf(*dialog);
        QCOMPARE(box->text(), QStringLiteral("EDIT MODE"));
        QVERIFY(box->isReadOnly());
        const double contrast = paintedContrast(*box);
        QVERIFY2(contrast >= 4.5, qPrintable(QString::number(contrast)));
        if (source == 9)
            saveScreenshot(*dialog, QStringLiteral("template-9-edit-mode.png"),
                           QColor(160, 219, 248));
    }

    // A long name put into a box shows its start, where its words begin.
    void filledBoxesShowTheStart_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<bool>("edit");
        QTest::newRow("template 9, edited") << 9 << true;
        QTest::newRow("template 9, re-used") << 9 << false;
        QTest::newRow("template 20, edited") << 20 << true;
        QTest::newRow("template 21, re-used") << 21 << false;
    }

    void filledBoxesShowTheStart()
    {
        QFETCH(int, source);
        QFETCH(bool, edit);
        const QString longName = QStringLiteral("operational subsystem of the northern apron");
        {
            std::unique_ptr<QDialog> dialog = openComposer(m_open->workbench, source);
            fillSaveable(*dialog, source);
            if (source == 9)
                static_cast<FunctionalTemplateDialog &>(*dialog).setFieldText(4, longName);
            else
                static_cast<StructuralTemplateDialog &>(*dialog).setControlText(
                    StructuralControl::Entity, longName);
            buttonOf(*dialog, QStringLiteral("Save"))->click();
            QCOMPARE(m_presenter.texts(), QStringList());
        }
        std::unique_ptr<QDialog> dialog = openComposer(m_open->workbench, source, 1, edit);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        // The box with the focus has its text selected, ready to be typed
        // over, as every dialog does.
        int filled = 0;
        for (const QLineEdit *box : dialog->findChildren<QLineEdit *>()) {
            if (box->isReadOnly() || box->text().isEmpty() || box->hasFocus())
                continue;
            ++filled;
            QVERIFY2(box->cursorPosition() == 0, qPrintable(box->text()));
        }
        QVERIFY(filled >= 2);
        const QWidget *entity =
            source == 9 ? static_cast<FunctionalTemplateDialog &>(*dialog).fieldControl(4)
                        : static_cast<StructuralTemplateDialog &>(*dialog).control(
                              StructuralControl::Entity);
        QCOMPARE(qobject_cast<const QComboBox *>(entity)->lineEdit()->cursorPosition(), 0);
    }

    // Cells that hold a term are white like any box one types into; the
    // cells still to come keep the dialog's colour.
    void builderCellsLookAsEditableAsTheyAre_data()
    {
        QTest::addColumn<QString>("opening");
        QTest::newRow("new") << "new";
        QTest::newRow("worked example") << "example";
        QTest::newRow("stored, edited") << "stored";
    }

    void builderCellsLookAsEditableAsTheyAre()
    {
        QFETCH(QString, opening);
        if (opening == QLatin1String("stored"))
            saveOne(kBuilder);
        RequirementBuilderDialog dialog(m_open->workbench,
                                        opening == QLatin1String("stored") ? 1 : -1, true);
        if (opening == QLatin1String("example"))
            dialog.seeExample();
        int enabled = 0;
        for (int position = 0; position < 28; ++position) {
            const QLineEdit *cell = dialog.cell(position);
            enabled += cell->isEnabled();
            QCOMPARE(cell->palette().color(QPalette::Base) == QColor(Qt::white), cell->isEnabled());
        }
        QVERIFY(enabled >= (opening == QLatin1String("new") ? 1 : 21));
    }
};

QTEST_MAIN(ComposerDialogsTest)
#include "tst_composerdialogs.moc"

#include "generate/widgets/generatordialog.h"

#include "app/cvarnapp.h"
#include "app/widgets/busydialog.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workbench.h"
#include "change/generationrecords.h"
#include "generate/generatetr.h"
#include "generate/generatormessages.h"
#include "generate/modelgenerator.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

namespace varn::generate {

namespace {

constexpr char kReady[] = QT_TRANSLATE_NOOP("varn::generate", "Ready.");

} // namespace

QString GeneratorDialog::title(Output output)
{
    return output == Output::DataModelSql ? Tr::tr("Generate Data Model SQL")
                                          : Tr::tr("Generate Object Model");
}

QColor GeneratorDialog::background(int scheme)
{
    static const QColor kSchemes[] = {QColor(184, 228, 250), QColor(250, 224, 202),
                                      QColor(250, 221, 255)};
    if (scheme < 0 || scheme >= int(std::size(kSchemes)))
        return QColor();
    return kSchemes[scheme];
}

GeneratorDialog::GeneratorDialog(app::Workbench &workbench, Output output, QWidget *parent)
    : ProgressDialog(title(output), app::ProgressPanel::Processed::Hidden, parent),
      m_workbench(workbench), m_output(output)
{
    if (const QColor colour = background(workbench.backgroundColour()); colour.isValid())
        setBackground(colour);
    else
        workbench.showMessage(Outcome::refused(Tr::tr("Error applying color scheme.")));
    // Said before anything is generated: the choice of output sits above it.
    m_staleness = new QLabel(this);
    m_staleness->setObjectName(QStringLiteral("staleness"));
    m_staleness->setWordWrap(true);
    m_staleness->setTextFormat(Qt::PlainText);
    addChoices(m_staleness);
    if (output == Output::ObjectModel)
        addChoices(languageChoice());
    showStaleness();
    panel()->setStatus(Tr::tr(kReady));
    m_openFolder = addButton(Tr::tr("Open &Folder"));
    m_openFolder->setObjectName(QStringLiteral("openFolder"));
    m_openFolder->setToolTip(Tr::tr("Show the generated files in the file manager"));
    m_openFolder->setEnabled(false);
    connect(m_openFolder, &QPushButton::clicked, this,
            [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(m_folder)); });
}

QWidget *GeneratorDialog::languageChoice()
{
    auto *choice = new QWidget(this);
    m_java = new QRadioButton(Tr::tr("Java file output (.java)"), choice);
    m_cpp = new QRadioButton(Tr::tr("C++ header file output (.h)"), choice);
    m_verbose = new QCheckBox(Tr::tr("Verbose"), choice);
    m_verbose->setToolTip(Tr::tr("Check for enums, get/set methods, constructors/destructors"));
    m_java->setChecked(true);
    m_verbose->setEnabled(false);
    connect(m_cpp, &QRadioButton::toggled, m_verbose, &QCheckBox::setEnabled);
    connect(m_cpp, &QRadioButton::toggled, this, &GeneratorDialog::showStaleness);

    auto *layout = new QVBoxLayout(choice);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_java);
    layout->addWidget(m_cpp);
    auto *verboseRow = new QHBoxLayout;
    verboseRow->addSpacing(20);
    verboseRow->addWidget(m_verbose);
    layout->addLayout(verboseRow);
    return choice;
}

GeneratorKind GeneratorDialog::chosenKind() const
{
    if (m_output == Output::DataModelSql)
        return GeneratorKind::Sql;
    return m_cpp->isChecked() ? GeneratorKind::Cpp : GeneratorKind::Java;
}

void GeneratorDialog::showStaleness()
{
    const app::CVarnApp &application = m_workbench.app();
    const Result<std::optional<change::StaleCode>> checked =
        change::GenerationRecords(application.requirementsConnectionName())
            .check(ModelGenerator::kindName(chosenKind()));
    if (!checked)
        m_staleness->setText(checked.outcome().message());
    else if (!checked.value())
        m_staleness->setText(change::GenerationRecords::neverGenerated());
    else
        m_staleness->setText(change::GenerationRecords::line(*checked.value()));
}

void GeneratorDialog::generate()
{
    app::BusyDialog busy(*this);
    const app::CVarnApp &application = m_workbench.app();
    const GeneratorKind kind = chosenKind();
    // The versions generated from are those live as the generation begins.
    const change::GenerationRecords records(application.requirementsConnectionName());
    const Result<store::LiveVersions> versions = records.liveVersions();
    if (!versions) {
        m_workbench.showMessage(versions.outcome());
        return;
    }
    GenerationCallbacks callbacks;
    callbacks.status = [this](const QString &status) { panel()->setStatus(status); };
    callbacks.progress = [this](int percent, const QString &) { panel()->setPercent(percent); };
    const Result<GeneratedFiles> written =
        ModelGenerator::generate(kind, application.requirementsConnectionName(),
                                 {application.installPath(), application.systemName(),
                                  kind == GeneratorKind::Cpp && m_verbose->isChecked()},
                                 callbacks);
    if (!written) {
        m_workbench.showMessage(written.outcome());
        return;
    }
    if (!written->notice.isEmpty())
        m_workbench.showMessage(Outcome::refused(written->notice, MessageKind::Information));
    // Where the files went and how many, as varn-cli tells it.
    panel()->setStatus(panel()->status() + QLatin1Char('\n') +
                       GeneratorMessages::written(written.value()));
    m_folder = written->folder;
    m_openFolder->setEnabled(true);
    if (application.isReadOnly()) {
        m_workbench.showMessage(Outcome::warning(change::GenerationRecords::notRecorded(
            Tr::tr("The database or its folder is read-only."))));
    } else if (const Result<store::GenerationRow> recorded = records.record(
                   ModelGenerator::kindName(kind), written->folder, versions.value());
               !recorded) {
        m_workbench.showMessage(
            Outcome::warning(change::GenerationRecords::notRecorded(recorded.outcome().message())));
    }
    showStaleness();
    m_workbench.announceFilesGenerated();
}

void GeneratorDialog::run(app::Workbench &workbench, Output output)
{
    if (!workbench.app().isWorkspaceOpen())
        return;
    // The home window, whose menu runs the generators, takes no input while
    // a generation dialog is open.
    const QPointer<QWidget> home = workbench.homeView();
    if (home)
        home->setEnabled(false);
    GeneratorDialog dialog(workbench, output, workbench.dialogParent());
    workbench.presenter().runDialog(dialog);
    if (home)
        home->setEnabled(true);
}

void registerGeneratorFeatures(app::FeatureRegistry &registry)
{
    struct GeneratorItem
    {
        app::CommandId id;
        GeneratorDialog::Output output;
        QString text;
    };
    const GeneratorItem items[] = {
        {kGenerateObjectModel, GeneratorDialog::Output::ObjectModel, Tr::tr("&Object Model...")},
        {kGenerateDataModelSql, GeneratorDialog::Output::DataModelSql,
         Tr::tr("Data Model &SQL...")},
    };
    int order = 10;
    for (const GeneratorItem &generator : items) {
        app::ActionSpec item;
        item.id = generator.id;
        item.text = generator.text;
        item.places = {{app::MenuGroup::Generate, order}};
        item.run = [&registry, output = generator.output](app::Workbench &workbench) {
            // Edited requirements are regenerated first.
            if (workbench.app().isWorkspaceOpen() && workbench.app().requirementsChanged())
                registry.run(kRegenerateFirst, workbench);
            GeneratorDialog::run(workbench, output);
        };
        registry.addAction(item);
        order += 10;
    }
}

} // namespace varn::generate

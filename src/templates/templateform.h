#pragma once

#include "templates/functionaldraft.h"
#include "templates/templatecatalogue.h"

#include <QList>
#include <QString>

namespace varn::templates {

// One control of a functional template's sentence, in reading order: the
// FUNC_REQ column it fills, its role (label, tooltip, kind) and its list.
struct TemplateControl
{
    int field;
    FieldRole role;
    FieldKind kind;
    QString label;
    QString tooltip;
    ConnectiveList list;
    bool redLabel; // who/what, (to) do what? and the first entity field
};

// What a functional template's form shows and does, without widgets: its
// controls from the catalogue, the preamble rule, the preview, the worked
// example taken into the fields, and Clear.
class TemplateForm
{
public:
    // An empty form for a number outside 1 to 18.
    explicit TemplateForm(int number);

    int number() const { return m_number; }
    bool isValid() const { return m_template != nullptr; }
    QString title() const;
    int exampleNumber() const;
    const QList<TemplateControl> &controls() const { return m_controls; }

    // "The " + system name + " system".
    static QString sentenceHead(const QString &systemName);
    // Preambles 3 to 6 take an actor in who/what; 0 to 2 take none.
    static bool takesActor(int preamblePosition);
    // The sentence as the Preview Area shows it: the head, the preamble and
    // every non-empty field (a list's shown text) with single blanks, then a
    // full stop. Nothing is checked.
    static QString preview(const QString &systemName, const FunctionalDraft &draft);
    // See Example: the example's fields and preamble replace the draft's;
    // the attributes stay; the draft holds a new requirement again.
    static void takeExample(FunctionalDraft &draft, const FunctionalDraft &example);
    // Clear: every field empties and every list loses its selection; the
    // preamble and attributes stay; the draft holds a new requirement again.
    static void clearFields(FunctionalDraft &draft);

private:
    int m_number;
    const FunctionalTemplate *m_template;
    QList<TemplateControl> m_controls;
};

} // namespace varn::templates

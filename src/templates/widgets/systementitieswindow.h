#pragma once

#include "templates/systementities.h"

#include <QDialog>
#include <QPointer>

class QListWidget;
class QPushButton;

namespace varn::app {
class Workbench;
}

namespace varn::templates {

// "System Entities": the entities known so far and, for the chosen one, its
// attributes, types and parts from the object model. Modeless, at most one
// at a time, over the composer that opened it.
class SystemEntitiesWindow : public QDialog
{
    Q_OBJECT

public:
    // Brings the shown window to the top, centred over the owner, or opens it.
    static SystemEntitiesWindow *showOver(app::Workbench &workbench, QWidget *owner);
    static SystemEntitiesWindow *shown() { return s_shown; }
    static void closeShown();

    QListWidget *entityList() const { return m_entities; }
    QListWidget *typeEntityList() const { return m_typeEntities; }
    QListWidget *attributeList() const { return m_attributes; }
    QListWidget *typeList() const { return m_types; }
    QListWidget *partList() const { return m_parts; }
    void showEntityDefinition();
    void showTypeEntityDefinition();

private:
    SystemEntitiesWindow(app::Workbench &workbench, QWidget *owner);
    void fill(QListWidget *list, const Result<QStringList> &lines);
    void showDefinition(QListWidget *list, bool typeEntity, const QString &noSelection);
    void centreOver(QWidget *owner);

    static QPointer<SystemEntitiesWindow> s_shown;
    app::Workbench &m_workbench;
    SystemEntities m_queries;
    QListWidget *m_entities;
    QListWidget *m_typeEntities;
    QListWidget *m_attributes;
    QListWidget *m_types;
    QListWidget *m_parts;
};

} // namespace varn::templates

#pragma once

#include "common/outcome.h"
#include "generate/generationtypes.h"
#include "objmodel/objectmodel.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace varn::generate {

// One entity as the class generators see it: its base, its attributes sorted
// into the groups the class files are written from, and its methods.
class ClassShape
{
public:
    struct Member
    {
        int id = 0;          // the attribute's key
        QString name;        // the attribute as stored ("speed", "*pDriver")
        QString dataType;    // as stored ("int", "pointer", ...)
        QString capitalised; // name with its first letter upper-cased
        QString target;      // pointer and reference: the name after "*p" / "&r"
        QStringList values;  // possible values, in key order

        // As written in the class file (see ClassNaming).
        QString stem;           // accessors "get" + stem, enumeration type stem
        QString field;          // data member or field ("speed", "pDriver", "_Colour")
        QString targetClass;    // the class a pointer or reference names
        QStringList valueNames; // enumerators, in value order

        bool isLink() const
        {
            return dataType == QLatin1String("pointer") || dataType == QLatin1String("reference");
        }
    };

    // Builds the shape of one entity of the model; a base key that names no
    // entity is refused with the kind's name-lookup message.
    static Result<ClassShape> of(const objmodel::ObjectModel &model,
                                 const objmodel::ObjectModel::Entity &entity, GeneratorKind kind);

    QString name;
    QString base;             // empty when the entity is a kind of nothing
    QList<Member> attributes; // every attribute, by data type then name
    QList<Member> enumerated; // "int" with possible values
    QList<Member> plainInts;  // "int" without possible values
    QList<Member> longsAndDoubles;
    QList<Member> pointers;
    QList<Member> references;
    QList<Member> linksByName; // pointers and references, by attribute name
    QStringList methods;       // by name

    // As written in the class file (see ClassNaming).
    QString className;
    QString baseClass;
    QStringList methodNames; // derived methods left to write, in method order
    // Every method the class declares or inherits with no parameters (the
    // getters and derived methods), with the type it returns; Java only.
    QHash<QString, QString> parameterlessMethods;
    // Pointer and reference targets that name no class of the model.
    QSet<QString> missingTargets;
    // Pointer and reference targets whose header is not included, since the
    // include would close a cycle through a base class or no such class
    // exists; their forward declaration stands for them. C++ only.
    QSet<QString> targetsNotIncluded;

    // Fills the groups below from the attributes, keeping their order.
    void regroup();

    static QString upperFirst(const QString &text);
    static QString lowerFirst(const QString &text);
};

} // namespace varn::generate

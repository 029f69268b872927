#include "objmodel/objectmodelderiver.h"
#include "objmodel/objmodeltr.h"

#include "language/clauselabeler.h"
#include "objmodel/namerules.h"

namespace varn::objmodel {

using language::ClauseLabeler;
using language::TermRecord;
using namespace NameRules;

namespace {

bool isFormWithAttribute(int form)
{
    return form >= 5 && form <= 8;
}

bool startsWithDigit(const QString &text)
{
    return !text.isEmpty() && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9');
}

// The leading digits of a text as a number (0 when there are none).
long long leadingNumber(const QString &text)
{
    long long value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9') || value > 1'000'000'000)
            break;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

enum class Direction { Send, Receive };

// The external term's direction: a number sends when it is 0; otherwise the
// word's length tells ("to", "is sent to" send; "from", "is received from"
// receive). A word of 18 characters or more leaves the direction as it was.
Direction directionOf(const QString &term, Direction previous)
{
    if (startsWithDigit(term))
        return leadingNumber(term) == 0 ? Direction::Send : Direction::Receive;
    const qsizetype length = term.size();
    if (length <= 2)
        return Direction::Send;
    if (length <= 4)
        return Direction::Receive;
    if (length <= 11)
        return Direction::Send;
    if (length <= 17)
        return Direction::Receive;
    return previous;
}

} // namespace

// The state of one requirement's derivation, fresh for every call.
class ObjectModelDeriver::Walk
{
public:
    Walk(ObjectModelWriter &tables, std::span<const TermRecord> records, qint32 requirement,
         bool functional)
        : m_tables(tables), m_records(records), m_requirement(requirement), m_functional(functional)
    {}

    Outcome run()
    {
        qsizetype i = 0;
        while (true) {
            const char group = groupAt(i);
            if (group == 0)
                return Outcome::ok();
            qsizetype step = 0;
            Outcome derived = Outcome::ok();
            if ((group >= 'A' && group <= 'M') || group == 'Q') {
                derived = entityClause(i);
                step = 1 + ClauseLabeler::EntityOffsetOfForm(formAt(i)) + (group == 'B' ? 1 : 0);
            } else if (group == 'N') {
                derived = possessiveClause(i, step);
            } else if (group == 'O') {
                derived = quantityClause(i, step);
            } else if (group == 'P') {
                derived = valueClause(i, step);
            } else {
                return Outcome::stop(Tr::tr("Invalid GCode character encountered."));
            }
            if (!derived)
                return derived;
            i += step;
        }
    }

private:
    // Records outside the array read as group 0, form 0, letter 0, no text.
    const TermRecord *recordAt(qsizetype k) const
    {
        return k >= 0 && k < qsizetype(m_records.size()) ? &m_records[std::size_t(k)] : nullptr;
    }
    char groupAt(qsizetype k) const { return recordAt(k) ? recordAt(k)->group : 0; }
    int formAt(qsizetype k) const { return recordAt(k) ? recordAt(k)->form : 0; }
    char letterAt(qsizetype k) const { return recordAt(k) ? recordAt(k)->letter : 0; }
    QString text(qsizetype k) const { return recordAt(k) ? recordAt(k)->text : QString(); }

    bool hasEvent() const { return m_event.key != 0; }
    bool hasCondition() const { return m_condition.key != 0; }

    void rememberByGroup(char group)
    {
        if (group == 'A' || group == 'F')
            m_do = m_current;
        else if (group == 'B' || group == 'G')
            m_event = m_current;
        else if (group == 'I' || group == 'J')
            m_condition = m_current;
    }

    // Ensure attribute: found or added, it becomes the last attribute.
    Outcome ensureAttribute(const QString &name, qint32 owner, const QString &dataType)
    {
        Result<qint32> attribute = findOrAddAttribute(name, owner, dataType);
        if (!attribute)
            return attribute.outcome();
        m_lastAttribute = attribute.value();
        return Outcome::ok();
    }

    Result<qint32> findOrAddAttribute(const QString &name, qint32 owner, const QString &dataType)
    {
        Result<std::optional<qint32>> found = m_tables.findAttribute(name, owner);
        if (!found)
            return found.outcome();
        if (found.value())
            return *found.value();
        return m_tables.addAttribute(name, dataType, owner);
    }

    Outcome ensureMethod(const QString &name, qint32 owner)
    {
        Result<std::optional<qint32>> found = m_tables.findMethod(name, owner);
        if (!found)
            return found.outcome();
        if (found.value())
            return Outcome::ok();
        const Result<qint32> added = m_tables.addMethod(name, owner);
        return added ? Outcome::ok() : added.outcome();
    }

    // A pointer attribute "*p<target>" on the owner; an entity gets no
    // pointer to itself (target equal to the other name), and there is
    // nothing to hang a pointer on before an owner exists.
    Outcome ensurePointer(const QString &target, const ModelEntity &owner, const QString &other)
    {
        if (owner.key == 0 || target == other)
            return Outcome::ok();
        const Result<qint32> pointer =
            findOrAddAttribute(QStringLiteral("*p") + target, owner.key, QStringLiteral("pointer"));
        return pointer ? Outcome::ok() : pointer.outcome();
    }
    Outcome ensurePointer(const QString &target, const ModelEntity &owner)
    {
        return ensurePointer(target, owner, owner.name);
    }

    // A typed entity "<type>_<entity>", a kind of its entity.
    Result<ModelEntity> ensureTypedEntity(const QString &type, const ModelEntity &base)
    {
        const QString name = typedName(type, base.name);
        Result<std::optional<ModelEntity>> found = m_tables.findEntity(name);
        if (!found)
            return found.outcome();
        if (found.value())
            return *found.value();
        Result<ModelEntity> added = m_tables.addEntity(name);
        if (!added)
            return added.outcome();
        if (Outcome inherited = m_tables.addInheritance(name, base.key); !inherited)
            return inherited;
        return added;
    }

    Outcome entityClause(qsizetype i)
    {
        const char group = groupAt(i);
        const int form = formAt(i);
        if (form == 0)
            return Outcome::ok();

        const QString entityName = text(i + ClauseLabeler::EntityOffsetOfForm(form));
        Result<ModelEntity> entity = m_tables.ensureEntity(entityName);
        if (!entity)
            return entity.outcome();
        m_current = entity.value();
        if (Outcome linked = m_tables.addRequirementEntity(spacedForm(entityName), m_requirement,
                                                           m_functional, m_current.key);
            !linked)
            return linked;
        rememberByGroup(group);

        if (Outcome shaped = typesPartsAndAttributes(i, entity.value()); !shaped)
            return shaped;
        if (group == 'B')
            if (Outcome event = eventRules(i); !event)
                return event;
        if (group == 'B' || group == 'G')
            if (Outcome pointers = pointerAndTimerRules(i); !pointers)
                return pointers;
        if (group == 'A' || (group >= 'C' && group <= 'F'))
            if (Outcome methods = doAndGetMethods(i); !methods)
                return methods;
        if ((group >= 'C' && group <= 'E') || (group >= 'H' && group <= 'M'))
            if (Outcome pointers = associationPointers(i); !pointers)
                return pointers;
        if (group == 'K' || group == 'L')
            if (Outcome spatial = spatialRules(i); !spatial)
                return spatial;
        if (group == 'M')
            return externalExchange(i);
        return Outcome::ok();
    }

    Outcome typesPartsAndAttributes(qsizetype i, const ModelEntity &entity)
    {
        const char group = groupAt(i);
        const int form = formAt(i);
        const QString attribute = text(i + 1);
        const QString type = text(i + ClauseLabeler::TypeOffsetOfForm(form));

        if (form == 4 || form == 6) {
            Result<ModelEntity> typed = ensureTypedEntity(type, entity);
            if (!typed)
                return typed.outcome();
            m_current = typed.value();
            rememberByGroup(group);
            return form == 6 ? ensureAttribute(attribute, m_current.key, QStringLiteral("int"))
                             : Outcome::ok();
        }
        if (form == 1 || form == 3 || form == 7 || form == 8) {
            ModelEntity whole = entity;
            if (form == 1 || form == 8) {
                Result<ModelEntity> typed = ensureTypedEntity(type, entity);
                if (!typed)
                    return typed.outcome();
                whole = typed.value();
            }
            if (Outcome part = partOf(text(i + ClauseLabeler::AttributeOffsetOfForm(form)), whole);
                !part)
                return part;
            rememberByGroup(group);
            return form == 7 || form == 8
                       ? ensureAttribute(attribute, m_current.key, QStringLiteral("int"))
                       : Outcome::ok();
        }
        if (form == 5)
            return ensureAttribute(attribute, m_current.key, QStringLiteral("int"));
        return Outcome::ok();
    }

    // The part becomes the current entity, aggregated by the whole once.
    Outcome partOf(const QString &part, const ModelEntity &whole)
    {
        Result<std::optional<ModelEntity>> existing = m_tables.findEntity(part);
        if (!existing)
            return existing.outcome();
        if (!existing.value() && part.contains(QLatin1Char('_'))) {
            Result<ModelEntity> base = m_tables.ensureEntity(typedBase(part));
            if (!base)
                return base.outcome();
            if (Outcome inherited = m_tables.addInheritance(part, base->key); !inherited)
                return inherited;
        }
        Result<ModelEntity> partEntity = m_tables.ensureEntity(part);
        if (!partEntity)
            return partEntity.outcome();
        m_current = partEntity.value();
        if (existing.value()) {
            Result<bool> recorded = m_tables.hasAggregation(part, whole.key);
            if (!recorded)
                return recorded.outcome();
            if (recorded.value())
                return Outcome::ok();
        }
        if (Outcome aggregated = m_tables.addAggregation(part, whole.key); !aggregated)
            return aggregated;
        const Result<qint32> reference = m_tables.addAttribute(
            QStringLiteral("&r") + part, QStringLiteral("reference"), whole.key);
        return reference ? Outcome::ok() : reference.outcome();
    }

    // Group B: the event's action becomes an attribute (without an attribute
    // term) and a method named after the verb.
    Outcome eventRules(qsizetype i)
    {
        const int form = formAt(i);
        const QString action = text(i + ClauseLabeler::EntityOffsetOfForm(form) + 1);
        QString subject;
        if (form >= 1 && form <= 4) {
            if (Outcome added =
                    ensureAttribute(lowerFirst(m_event.name + capitalisedPhrase(action)),
                                    m_current.key, QStringLiteral("int"));
                !added)
                return added;
            subject = m_event.name;
        } else {
            subject = text(i + 1);
        }
        return ensureMethod(lowerFirst(verbStem(action)) + upperFirst(subject), m_current.key);
    }

    QString timerName() const
    {
        return NameRules::timerName(text(0), isFormWithAttribute(formAt(0)) ? upperFirst(text(1))
                                                                            : m_do.name);
    }

    // The timer entity with its duration, setter and pointers both ways to
    // the entity it times; nothing when it exists already.
    Outcome makeTimer(const QString &quantity, const ModelEntity &timed)
    {
        const QString name = timerName();
        Result<std::optional<ModelEntity>> existing = m_tables.findEntity(name);
        if (!existing)
            return existing.outcome();
        if (existing.value())
            return Outcome::ok();
        Result<ModelEntity> timer = m_tables.addEntity(name);
        if (!timer)
            return timer.outcome();
        m_current = timer.value();
        const Result<qint32> duration =
            findOrAddAttribute(QStringLiteral("duration"), m_current.key, valueDataType(quantity));
        if (!duration)
            return duration.outcome();
        if (Outcome setter = ensureMethod(QStringLiteral("setTimer"), m_current.key); !setter)
            return setter;
        if (Outcome pointer = ensurePointer(m_current.name, timed); !pointer)
            return pointer;
        return ensurePointer(timed.name, m_current);
    }

    Outcome pointerAndTimerRules(qsizetype i)
    {
        const bool opensBefore = letterAt(i) == 'b';
        if (opensBefore)
            m_before = true;
        if (m_current.name != m_do.name) {
            const Outcome pointer = m_before ? ensurePointer(m_current.name, m_do)
                                             : ensurePointer(m_do.name, m_event, m_current.name);
            if (!pointer)
                return pointer;
        }
        if (!opensBefore && groupAt(i - 1) == 'O' && formAt(i - 1) != 3)
            return makeTimer(text(i - 2), m_event);
        return Outcome::ok();
    }

    Outcome doAndGetMethods(qsizetype i)
    {
        const char group = groupAt(i);
        const int form = formAt(i);
        const bool doClause = group == 'A' || group == 'F';
        if (!doClause && !isFormWithAttribute(form))
            return Outcome::ok();
        const QString subject =
            isFormWithAttribute(form) ? upperFirst(text(i + 1)) : upperFirst(m_do.name);
        return ensureMethod(doClause ? text(i) + subject : QStringLiteral("get") + subject,
                            m_current.key);
    }

    Outcome associationPointers(qsizetype i)
    {
        const char group = groupAt(i);
        if (group == 'M') {
            m_before = false;
            const QString term = text(i);
            const bool keepsDirection = !startsWithDigit(term) && term.size() >= 18;
            m_direction = directionOf(term, m_direction);
            if (keepsDirection && m_direction == Direction::Receive)
                return Outcome::ok();
        } else if ((group == 'K' || group == 'L') && !hasCondition()) {
            m_before = false;
        }
        const ModelEntity &owner = hasEvent() && !m_before ? m_event : m_do;
        const QString &other = hasEvent() ? m_event.name : m_do.name;
        return ensurePointer(m_current.name, owner, other);
    }

    Outcome spatialRules(qsizetype i)
    {
        const ModelEntity &nearest = hasCondition() ? m_condition : hasEvent() ? m_event : m_do;
        const QString subject = upperFirst(nearest.name);
        const QString method =
            groupAt(i) == 'K' ? QStringLiteral("is%1In%2").arg(subject, m_current.name)
                              : QStringLiteral("is%1%2%3").arg(subject, text(i), m_current.name);
        if (Outcome added = ensureMethod(method, m_current.key); !added)
            return added;
        const Result<qint32> proximity = findOrAddAttribute(
            QStringLiteral("proximityTo") + m_current.name, nearest.key, QStringLiteral("int"));
        return proximity ? Outcome::ok() : proximity.outcome();
    }

    Outcome externalExchange(qsizetype)
    {
        const QString &other = hasEvent() ? m_event.name : m_do.name;
        const bool send = m_direction == Direction::Send;
        const QString method = send ? QStringLiteral("send%1To%2").arg(other, m_current.name)
                                    : QStringLiteral("receive%1From%2").arg(other, m_current.name);
        if (Outcome added = ensureMethod(method, m_current.key); !added)
            return added;
        if (send)
            return hasEvent() ? ensureMethod(method, m_event.key) : Outcome::ok();
        return ensurePointer(hasEvent() ? m_event.name : m_do.name, m_current);
    }

    // Group N: "that has" an attribute, or a chained attribute, maybe with
    // an action.
    Outcome possessiveClause(qsizetype i, qsizetype &step)
    {
        const int form = formAt(i);
        step = form == 2 ? 2 : form == 3 ? 4 : 3;
        const qsizetype n = form == 1 || form == 2 ? 1 : 2;
        if (Outcome attribute = ensureAttribute(text(i + n), m_current.key, QStringLiteral("int"));
            !attribute)
            return attribute;
        if (form != 1 && form != 3)
            return Outcome::ok();
        const QString action = text(i + n + 1);
        if (Outcome added = ensureAttribute(lowerFirst(m_event.name + capitalisedPhrase(action)),
                                            m_current.key, QStringLiteral("int"));
            !added)
            return added;
        return ensureMethod(lowerFirst(verbStem(action)) + upperFirst(m_event.name), m_current.key);
    }

    // Group O: a quantity, a timeliness ("every 5 seconds") or a distance.
    Outcome quantityClause(qsizetype i, qsizetype &step)
    {
        const int form = formAt(i);
        step = form == 2 ? 2 : 3;
        if (form == 3) {
            const Result<qint32> distance = findOrAddAttribute(text(i + 2) + text(i), m_current.key,
                                                               valueDataType(text(i + 1)));
            return distance ? Outcome::ok() : distance.outcome();
        }
        const char next = groupAt(i + 3);
        const bool timedByFollowingEvent =
            (next == 'B' || next == 'G') && letterAt(i + 3) != 'b' && letterAt(i + 2) != 'b';
        if (timedByFollowingEvent)
            return Outcome::ok(); // that clause makes the timer
        return makeTimer(form == 1 ? text(i + 1) : text(i), m_do);
    }

    // Group P: a state or value; it types the last attribute and, when it is
    // a word, becomes one of its possible values.
    Outcome valueClause(qsizetype i, qsizetype &step)
    {
        const int form = formAt(i);
        step = form == 2 ? 2 : form == 3 ? 4 : 3;
        const bool valueFollowsOpener = form == 2 || form == 4;
        if (valueFollowsOpener) {
            const char before = groupAt(i - 1);
            const bool plainClause = ((before == 'A' || before == 'D' || before == 'E') &&
                                      !isFormWithAttribute(formAt(i - 1))) ||
                                     before == 'F' || before == 'I' || before == 'J';
            if (plainClause) {
                const QString state = upperFirst(text(i + 1));
                if (Outcome added = ensureAttribute(QStringLiteral("is") + state, m_current.key,
                                                    QStringLiteral("int"));
                    !added)
                    return added;
                if (before != 'A' && before != 'F')
                    if (Outcome getter =
                            ensureMethod(QStringLiteral("getIs") + state, m_current.key);
                        !getter)
                        return getter;
            }
        }
        if (m_lastAttribute == 0)
            return Outcome::ok(); // no attribute yet that the value could belong to
        const QString value = valueFollowsOpener ? text(i + 1) : text(i + 2);
        const QString dataType = valueDataType(value);
        if (Outcome typed = m_tables.setAttributeType(m_lastAttribute, dataType); !typed)
            return typed;
        if (dataType != QLatin1String("int"))
            return Outcome::ok();
        Result<bool> known = m_tables.hasPossibleValue(value, m_lastAttribute);
        if (!known)
            return known.outcome();
        return known.value() ? Outcome::ok() : m_tables.addPossibleValue(value, m_lastAttribute);
    }

    ObjectModelWriter &m_tables;
    std::span<const TermRecord> m_records;
    const qint32 m_requirement;
    const bool m_functional;

    ModelEntity m_current;
    ModelEntity m_do;
    ModelEntity m_event;
    ModelEntity m_condition;
    qint32 m_lastAttribute = 0;
    bool m_before = false;
    Direction m_direction = Direction::Receive;
};

Outcome ObjectModelDeriver::DeriveObjectModel(std::span<const TermRecord> records,
                                              qint32 requirement, bool functional)
{
    return Walk(m_tables, records, requirement, functional).run();
}

} // namespace varn::objmodel

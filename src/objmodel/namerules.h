#pragma once

#include <QString>
#include <QStringView>

namespace varn::objmodel {

// The word rules that build object-model names from a requirement's words.
// The generators print these names, so every character counts.
namespace NameRules {

// "BigRedTruck" -> "Big Red Truck", "TruckAB" -> "Truck AB": a blank before
// each capital from the second character on, stepping past the capital and
// the character after it.
QString spacedForm(QStringView name);

// "int" for a word, "double" for a number holding '.' or '/', else "long".
QString valueDataType(QStringView text);

QString upperFirst(QStringView text);
QString lowerFirst(QStringView text);

// "is loaded" -> "IsLoaded".
QString capitalisedPhrase(QStringView text);

// The stem of the text's last word: "stopped" -> "stop", "arrives" -> "arrive".
QString verbStem(QStringView text);

// A typed entity, a kind of its entity: "Premium", "CustomerAccount" ->
// "Premium_CustomerAccount".
QString typedName(QStringView type, QStringView entity);
// The entity a typed part is a kind of: "Passenger_Plane" -> "Plane"; empty
// for a name without a type.
QString typedBase(QStringView part);
// A timer of what the first term does: "notify", "Pump" -> "NotifyPumpTimer".
QString timerName(QStringView firstTerm, QStringView timed);

} // namespace NameRules

} // namespace varn::objmodel

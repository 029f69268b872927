#pragma once

#include "templates/functionaldraft.h"

// Template 9 filled as in the worked example of the ESD airport system: "The
// ESD system shall provide the capability notify operational subsystem when
// wind sensor runway weather station changes from nominal to caution." The
// notified entity can be named otherwise, to save many distinct requirements.
varn::templates::FunctionalDraft
windSensorNotification(const QString &notified = QStringLiteral("operational subsystem"));

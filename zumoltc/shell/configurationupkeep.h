#pragma once

class ZUConfiguration;

// Keeps the objects that other settings call for in step with those settings,
// after a page applied an edit or an object was added: the control source and
// KMP device of the remote control panel, the scheduler's control source once
// there are signal plans, the KMP devices of the DIO modules and of the countdown
// boards. className names what changed (the meta-object class name, "QObject"
// for the panel, which has no meta-object of its own); other names change
// nothing. Existing sources and devices are never altered: the upkeep only adds
// them (smallest free id, priority and address) or deletes them later.
// A kind without a free id, priority or address below the not-set value gets
// nothing added.
void keepConfigurationInStep(ZUConfiguration *configuration, const char *className);

#pragma once

#include <QString>

class DialogItemValidator;
class IntEdit;
class QAbstractButton;
class QCheckBox;
class QLineEdit;

// The contract every zumoltc editor page keeps, and the few helpers it shares.
//
// A page is a QWidget with a Designer form. Its constructor builds the form and
// then makes `new DialogItemValidator(this)`, so every widget of the form is
// watched; widgets that only steer the page's view are then dropped with
// removeWidget.
//
// Signals:
// - changed(bool): fed by the validator each time the page's changed state flips;
//   the page's dynamic property "changed" holds the state ("valid" too).
// - configurationChanged(const char *className): after a successful Apply, with
//   the className() of the meta-object of the model class written (ZUDetector
//   for the detector page), or null where the page edits a value record of the
//   configuration rather than objects.
//
// Slots: on_buttonBox_clicked(QAbstractButton *) for Apply; pages of named
// kinds also on_id_textChanged(const QString &) and on_manualName_toggled(bool);
// most pages configurationHasChanged(const char *className), which the main
// window calls on every other open page after one page applied, so lists of
// other objects the page shows are refreshed.
//
// Loading: pages of one kind get setObjects(configuration, objects) with
// guarded pointers; an empty list changes nothing but the remembered list. One
// object: the ids and names of the kind's other objects are forbidden and the
// object is shown. Several objects: the validator is reset and the objects'
// values merged (IntEdit::mergeValue); objectselection.h has the rules. Pages of
// one record get load(...).
// Every load ends with snapshotAll(), so the shown values are the baseline.
//
// Apply (isApplyClick): only the Apply button, only when something is loaded
// and the validator's anyChanged() is true. Then each field whose widget
// isChanged() is written into every selected object still alive; id and name
// only when exactly one object is selected (then the page's window title
// becomes the object's text("")). A tristate box left partly checked writes
// nothing. Last the page calls snapshotAll() and emits configurationChanged.
//
// Cancel: the validator connects the Cancel button to its cancelChanges; pages
// do nothing for it.
//
// Objects move and go while a page is open (the tree's move and remove reach
// every page through configurationHasChanged(nullptr)). A page that maps table
// rows to objects by their position reloads on configurationHasChanged, or keeps a
// guarded pointer per row, so that a row never writes into another object.
// Cells and choices that name other objects hold their ids, and follow them on
// configurationHasChanged: an object given a new id on another page shows under
// its new id, one that is gone leaves its cell empty, and the page's changed
// state stays as it was (EditorPages::refillLines and refillObjects).
//
// Names: while manualName is off, name is read-only and shows the kind's
// prefix + the text of id, following every change of id; turning manualName
// on makes name editable. On loading one object manualName is checked exactly
// when the object's name differs from prefix + its id in decimal.
namespace PageProtocol {

// Whether a click of the page's button box is an Apply that has something to
// write: the Apply button, a page that is loaded and a change to write.
bool isApplyClick(QAbstractButton *button, bool loaded, const DialogItemValidator &validator);

// The name that follows the id: prefix + the id's text.
QString nameForId(const QString &prefix, const QString &idText);

// Whether a stored name was given by hand, i.e. is not prefix + id in decimal
// (prefix alone for an id that is not set).
bool isManualName(const QString &name, const QString &prefix, int id);

// on_id_textChanged: a name that is not manual follows the id.
void followId(QLineEdit *name, const QCheckBox *manualName, const QString &prefix,
              const QString &idText);

// on_manualName_toggled: a manual name is editable; turning manual off puts the
// name that follows the id back at once.
void setManualName(QLineEdit *name, bool manual, const QString &prefix, const QString &idText);

// Shows one object's id and name, checking manualName by isManualName; the three
// fields are enabled (a selection of several disabled them).
void showIdAndName(IntEdit *id, QLineEdit *name, QCheckBox *manualName, const QString &prefix,
                   int objectId, const QString &objectName);

// Several objects: id, name and manualName cleared and disabled.
void clearIdAndName(IntEdit *id, QLineEdit *name, QCheckBox *manualName);

} // namespace PageProtocol

#pragma once

// The form's commands that open a dialog of their own: the feature dialogs (DTMF, side keys, FM
// presets, serial number), reading and writing the radio, power tuning and the factory defaults.
// Each works on the document and reaches it as one step of its history (or, for a read or the
// factory defaults, as new data); parent is the window the dialogs open over.

class CProgramDoc;
class QWidget;

namespace formcmd {

void EditDtmf(CProgramDoc& doc, QWidget* parent);
void EditSideKeys(CProgramDoc& doc, QWidget* parent);
void EditFmRadio(CProgramDoc& doc, QWidget* parent);
// The serial number's bytes are channel 63's record: a channel standing there is asked about.
void EditSerialNumber(CProgramDoc& doc, QWidget* parent);

// Unsaved edits are asked about first; only a complete read replaces the document.
void ReadRadio(CProgramDoc& doc, QWidget* parent);
void WriteRadio(CProgramDoc& doc, QWidget* parent);
void TunePower(CProgramDoc& doc, QWidget* parent);

// The factory file of the application folder, opened as data that Save asks a name for.
void LoadFactoryDefaults(CProgramDoc& doc, QWidget* parent);

} // namespace formcmd

#pragma once

#include "Translator.h"

class QObject;
class QWidget;

namespace fenster {

// Translates the texts of component and of every control and menu item it
// holds, by the control's role (label, check box, group box, radio group,
// combo box, push button, status bar, menu item). A group box whose child
// controls are all radio buttons is a radio group; a control with the
// dynamic property "noTranslate" set is left alone with all it holds. A
// menu item's hint is its status tip, a control's its tool tip. The keys
// given out to the form's texts are collected in used.
void TranslateComponent(TWTranslator& translator, QObject* component, AcceleratorSet& used);

// Translates a whole form, with accelerator keys of its own; 0, or -1 when
// setting up the translator failed.
int TranslateForm(QWidget* form);

// The missing language file is told in a warning box ("Warnung") while a
// widget application runs; elsewhere nothing is shown.
void UseMessageBoxForMissingLanguageFile();

} // namespace fenster

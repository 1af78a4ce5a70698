// The small window that asks for the player's name after a game that ended
// with points.
//
// It opens as the modal child of the form that made it: while it is open that
// form is disabled. The player types a name (at most 10 characters, shown and
// kept in upper case) and confirms it with Enter or "OK"; the name goes to
// PlayerName and the window closes. An empty name is refused without a word.
// The owner learns that the window is gone through the form's onDestroyed
// callback, which runs on every way out (confirmation, close box, Alt+F4).
#pragma once

#include "toolkit/core/Form.h"

namespace OrvoUtility {
class Button;
class Label;
class TextBox;
} // namespace OrvoUtility

namespace VeRize {

// The last player name confirmed in this run of the program; empty until the
// first confirmation. It outlives the window that set it.
extern OrvoUtility::NarrowText PlayerName;

class FormNamePlayer : public OrvoUtility::Form {
public:
    // Disables the owner, makes this form its modal child and creates the
    // window at once: when the constructor returns the window is shown, holds
    // its controls and the name box has the focus.
    FormNamePlayer(OrvoUtility::Form *ownerForm, HINSTANCE moduleInstance,
                   const OrvoUtility::NarrowText &title);
    // Closes the window first if it is still open (the owner is enabled again
    // and onDestroyed runs), then deletes the controls.
    ~FormNamePlayer() override;

    OrvoUtility::Form *owner = nullptr; // not owned
    OrvoUtility::TextBox *nameBox = nullptr;
    OrvoUtility::Label *promptLabel = nullptr;
    OrvoUtility::Button *okButton = nullptr;
    OrvoUtility::NarrowText prompt;

    // Builds the prompt, the name box and "OK" once the window exists.
    virtual void FormCreated();
    // Gives the owner back its input; always lets the form close.
    virtual bool FormClosing();
    virtual void FormResized();
    // Enter confirms (and is consumed); every other character goes on to the
    // name box. False means consumed.
    virtual bool FormChar(wchar_t code);
    virtual void FormKeyDown(int key);
    virtual void FormKeyUp(int key);
    // "OK": takes a non-empty name and closes the form.
    virtual void FormCommand(OrvoUtility::GUIElement *sender);

    // Stores the prompt and shows it in the label once the label exists.
    void SetPrompt(const OrvoUtility::NarrowText &newPrompt);
};

// The name as it is kept: one byte per character. A character that one byte
// cannot hold, and any control character, becomes "?", so that a name can
// never break the line of the score table it ends up in.
OrvoUtility::NarrowText StorableName(const OrvoUtility::WideText &typed);

// The onChar callback shared by the form and its name box: hands the
// character to FormChar of the form concerned (the form itself, or the form
// holding the text box). True (not consumed) for any other element.
bool RouteNameEntryChar(OrvoUtility::GUIElement *element, wchar_t code);

} // namespace VeRize

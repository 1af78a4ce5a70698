#include "scores/FormNamePlayer.h"

#include "toolkit/controls/Button.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/TextBox.h"

namespace VeRize {

using OrvoUtility::Button;
using OrvoUtility::Form;
using OrvoUtility::GUIElement;
using OrvoUtility::Label;
using OrvoUtility::NarrowText;
using OrvoUtility::TextBox;

NarrowText PlayerName;

namespace {

constexpr std::int32_t kFormWidth = 250;
constexpr std::int32_t kFormHeight = 150;
constexpr std::int32_t kNameLength = 10;
constexpr wchar_t kEnter = 13;

FormNamePlayer *AsNameForm(GUIElement *element) {
    return dynamic_cast<FormNamePlayer *>(element);
}

void CommandOfOkButton(GUIElement *button) {
    if (FormNamePlayer *form = AsNameForm(button->parent))
        form->FormCommand(button);
}

} // namespace

NarrowText StorableName(const OrvoUtility::WideText &typed) {
    NarrowText name;
    name.reserve(typed.size());
    for (const wchar_t unit : typed) {
        const auto code = static_cast<std::uint32_t>(unit);
        const bool printable = (code >= 0x20 && code < 0x7F) || (code >= 0xA0 && code <= 0xFF);
        name.push_back(printable ? static_cast<char>(code) : '?');
    }
    return name;
}

bool RouteNameEntryChar(GUIElement *element, wchar_t code) {
    FormNamePlayer *target = nullptr;
    if (dynamic_cast<TextBox *>(element) != nullptr)
        target = AsNameForm(element->parent);
    else
        target = AsNameForm(element);
    if (target == nullptr)
        return true;
    return target->FormChar(code);
}

FormNamePlayer::FormNamePlayer(Form *ownerForm, HINSTANCE moduleInstance, const NarrowText &title)
    : Form(moduleInstance, true) {
    // A fixed dialog frame with a title bar and a close box, not kept on top.
    topMost = false;
    minimizeBox = false;
    sizable = false;

    owner = ownerForm;
    if (owner != nullptr) {
        owner->SetEnabled(false);
        owner->modalChild = this;
    }

    nameBox = nullptr;
    promptLabel = nullptr;
    okButton = nullptr;
    prompt.clear();

    SetSize(kFormWidth, kFormHeight);
    SetText(title);

    onCreated = [](GUIElement *element, HWND) {
        if (FormNamePlayer *form = AsNameForm(element))
            form->FormCreated();
    };
    onCloseQuery = [](GUIElement *element) {
        FormNamePlayer *form = AsNameForm(element);
        return form == nullptr || form->FormClosing();
    };
    onResized = [](GUIElement *element) {
        if (FormNamePlayer *form = AsNameForm(element))
            form->FormResized();
    };
    onChar = RouteNameEntryChar;
    onKeyDown = [](GUIElement *element, int key) {
        if (FormNamePlayer *form = AsNameForm(element))
            form->FormKeyDown(key);
    };
    onKeyUp = [](GUIElement *element, int key) {
        if (FormNamePlayer *form = AsNameForm(element))
            form->FormKeyUp(key);
    };

    Create();
}

FormNamePlayer::~FormNamePlayer() {
    // The close query and onDestroyed reach this object's own operations:
    // run them while it is still whole.
    CloseAndDestroy();
    delete nameBox;
    nameBox = nullptr;
    delete promptLabel;
    promptLabel = nullptr;
    delete okButton;
    okButton = nullptr;
    prompt.clear();
}

void FormNamePlayer::FormCreated() {
    RECT client{};
    GetClientRect(window, &client);
    const std::int32_t clientWidth = client.right - client.left;

    promptLabel = new Label(this, prompt);
    promptLabel->SetSize(clientWidth - 10, 25);
    promptLabel->x = 5;
    promptLabel->y = 5;
    promptLabel->Create();

    nameBox = new TextBox(this, "");
    nameBox->SetSize(clientWidth / 2 - 10, 25);
    nameBox->x = 5;
    nameBox->y = 35;
    nameBox->maxLength = kNameLength;
    nameBox->lowerCase = false;
    nameBox->upperCase = true;
    nameBox->UpdateStyle();
    nameBox->onChar = RouteNameEntryChar;
    nameBox->Create();
    nameBox->Focus();

    okButton = new Button(this, "OK");
    okButton->SetSize(80, 25);
    okButton->x = clientWidth / 2 + 5;
    okButton->y = 35;
    okButton->onCommand = CommandOfOkButton;
    okButton->Create();
}

bool FormNamePlayer::FormClosing() {
    UnregisterHotKeys();
    if (owner != nullptr) {
        owner->modalChild = nullptr;
        owner->SetEnabled(true);
    }
    return true;
}

void FormNamePlayer::FormResized() {}

bool FormNamePlayer::FormChar(wchar_t code) {
    if (code == kEnter) {
        FormCommand(okButton);
        return false;
    }
    return true;
}

void FormNamePlayer::FormKeyDown(int) {}

void FormNamePlayer::FormKeyUp(int) {}

void FormNamePlayer::FormCommand(GUIElement *sender) {
    if (sender == nullptr || okButton == nullptr || sender->id != okButton->id)
        return;
    const NarrowText name = StorableName(nameBox->GetText());
    if (name.empty())
        return;
    PlayerName = name;
    // Sending waits: the close query, the destruction of the window and the
    // owner's onDestroyed have all run when it returns.
    SendMessageW(window, WM_CLOSE, 0, 0);
    created = false;
}

void FormNamePlayer::SetPrompt(const NarrowText &newPrompt) {
    prompt = newPrompt;
    if (created && promptLabel != nullptr)
        promptLabel->SetText(prompt);
}

} // namespace VeRize

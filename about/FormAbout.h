// The program's information window: banner, product name and version, the
// makers' credit line, links to their web site and mail address, a short
// notice and an "OK" button. While it is open its owner is disabled.
//
// It is also the plainest example of how a form of this toolkit is wired:
// the form's own callbacks and its controls' callbacks are small functions
// that call one of the form's virtual operations with the element concerned,
// and the form tells its controls apart by element id.
//
// Use: build it with the owner, fill in the banner and the four texts, then
// Create it (which lays out the contents) and show it without activation.
#pragma once

#include "toolkit/core/Form.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace OrvoUtility {

class Button;
class CellControl;
class Image;
class Label;
class PanelChildren;
class TextBox;

// Opens a web or mailto: address; true when it was opened.
using LinkOpener = std::function<bool(const NarrowText &target)>;

class FormAbout : public Form {
public:
    // Disables the owner and becomes its modal child. The window and its
    // controls are made later, by Create.
    explicit FormAbout(Form *ownerForm);
    // Closes the window if it is still open, which also releases the owner.
    ~FormAbout() override;

    Form *owner;        // disabled while the box is open; not owned
    FontSpec titleFont; // "Arial" 16 bold
    FontSpec linkFont;  // "Arial" 16 underlined
    FontSpec formFont;  // "Arial" 14, the form's own font
    std::unique_ptr<Image> banner;
    std::unique_ptr<Label> titleLabel;
    std::unique_ptr<Label> creditLabel;
    std::unique_ptr<PanelChildren> bannerPanel;
    std::unique_ptr<TextBox> noticeBox;
    std::unique_ptr<Button> okButton;
    std::unique_ptr<CellControl> webLink;
    std::unique_ptr<CellControl> mailLink;
    std::int32_t bannerId = 0; // bitmap resource of the banner
    std::int32_t bannerWidth = 0;
    std::int32_t bannerHeight = 0;
    NarrowText titleText;  // product name and version
    NarrowText creditText; // rights notice with years and holder
    NarrowText noticeText; // lines separated by "\r\n"
    NarrowText webAddress; // "http://www." + the site; the mail address is made from it
    // How the links are opened: the shell, unless replaced.
    LinkOpener openLink;

    // Lays out the contents for the client size the window has now.
    virtual void FormCreated();
    // Releases the owner; always lets the window close.
    virtual bool FormClosing();
    virtual void FormResized();
    // Enter and Escape close the box and go no further (false); any other
    // character takes its usual course (true).
    virtual bool FormChar(wchar_t code);
    virtual void FormKeyDown(int key);
    virtual void FormKeyUp(int key);
    // "OK" closes the box; other elements are ignored.
    virtual void FormCommand(GUIElement *element);
    // Opens the web address, or "mailto:" and the mail link's current text.
    virtual void FormLinkPressed(GUIElement *element, int atX, int atY);

    // Gives the window the client size 600 x 300.
    void HandleShown() override;

    // The mail address shown for a web address: "http://www." becomes "info@".
    static NarrowText MailAddressFor(const NarrowText &web);

private:
    // Gives the owner back its input, once: on closing, or when the box goes
    // away without its window ever having been closed.
    void ReleaseOwner();
    bool ownerHeld = false;

    // Callbacks of the form and its controls.
    static bool RouteChar(GUIElement *element, wchar_t code);
    static void RouteLink(GUIElement *element, HWND window, int atX, int atY);
    static void RouteCommand(GUIElement *element);
};

} // namespace OrvoUtility

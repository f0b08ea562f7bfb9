#pragma once

namespace purslet {

class App;
class MatterEditorPresenter;

// Cut and Copy follow the memo's selection, Paste the clipboard: after a click
// on the memo and after each clipboard command, so the next one is offered at once.
void RefreshClipboardItems(App &app);

// The Edit menu's row and memo commands. Each tests its own menu item first,
// since the toolbar calls them whatever the menu shows. The memo is changed in
// the entry state; the entry window hears of it through the App.
class EditCommands final
{
public:
    EditCommands(App &app, MatterEditorPresenter &matterEditor);

    void editCut_Click();
    void editCopy_Click();
    void editPaste_Click();
    void editDelete_Click();
    void editMatter_Click();

private:
    void error(const char16_t *text, const char16_t *title);

    App &m_app;
    MatterEditorPresenter &m_matterEditor;
};

} // namespace purslet

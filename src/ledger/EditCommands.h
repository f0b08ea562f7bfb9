#pragma once

namespace purslet {

class App;
class MatterEditorPresenter;

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

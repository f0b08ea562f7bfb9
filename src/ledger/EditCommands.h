#pragma once

namespace purslet {

class App;
class InputPresenter;
class MatterEditorPresenter;

// The Edit menu's row and memo commands. Each tests its own menu item first,
// since the toolbar calls them whatever the menu shows.
class EditCommands final
{
public:
    EditCommands(App &app, InputPresenter &input, MatterEditorPresenter &matterEditor);

    void editCut_Click();
    void editCopy_Click();
    void editPaste_Click();
    void editDelete_Click();
    void editMatter_Click();

private:
    void error(const char16_t *text, const char16_t *title);

    App &m_app;
    InputPresenter &m_input;
    MatterEditorPresenter &m_matterEditor;
};

} // namespace purslet

#pragma once

#include <QPoint>
#include <QString>

#include <functional>

namespace purslet {

class App;
struct KindDescription;

// The matter editor (frmMatter): changes the estimate of one catalog matter,
// renames it (merging it into another matter of the name), or deletes it,
// working on the current row of the summary grid the matter was picked on.
class MatterEditorPresenter final
{
public:
    static constexpr int EstimateMaxLength = 15;

    explicit MatterEditorPresenter(App &app);

    // Fills the fields before the editor is shown.
    void load(const QString &matter, const QString &estimateText);

    // The name as the box shows it: the matter's, or what the user typed.
    const QString &matter() const { return m_matter; }
    void setMatterText(const QString &text);
    const QString &estimate() const { return m_estimate; }
    // What the user typed; the change handler filters it.
    void setEstimateText(const QString &text);

    void txtEstimate_Change();
    void cmdRenewal_Click();
    void cmdDelete_Click();
    void cmdCancel_Click();
    // Position in twips from Setup.ini, centred on the screen by default.
    QPoint Form_Load(int screenWidth, int screenHeight, int windowWidth, int windowHeight);
    // Keeps the position in twips for the next opening.
    void Form_Unload(int left, int top);
    void MouseMove(const QString &controlName);

    std::function<void()> onChanged;
    std::function<void()> onClose;

private:
    // The kind of the summary grid the matter was picked on.
    const KindDescription &source() const;
    void requestClose();
    void changed();

    App &m_app;
    QString m_original; // the matter being edited
    QString m_matter;
    QString m_estimate;
    QString m_loadedEstimate;
};

} // namespace purslet

#pragma once

#include <QHeaderView>

#include <functional>
#include <utility>

namespace purslet {

// A header that really paints a section's background brush: most styles
// draw header sections from their own palette and ignore the model's colour.
// With a sort mark it also draws the direction as an arrow above the caption,
// so that the direction is not told by colour alone.
class ColouredHeaderView final : public QHeaderView
{
    Q_OBJECT
public:
    // The sort column and whether it sorts ascending, read at every paint.
    using SortMark = std::function<std::pair<int, bool>()>;

    explicit ColouredHeaderView(Qt::Orientation orientation, QWidget *parent = nullptr);

    void setSortMark(SortMark mark);

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    QSize sectionSizeFromContents(int logicalIndex) const override;

private:
    void paintArrow(QPainter *painter, const QRect &rect, bool ascending) const;

    SortMark m_sortMark;
};

} // namespace purslet

#pragma once

#include <QHeaderView>

namespace purslet {

// A header that really paints a section's background brush: most styles
// draw header sections from their own palette and ignore the model's colour.
class ColouredHeaderView final : public QHeaderView
{
    Q_OBJECT
public:
    explicit ColouredHeaderView(Qt::Orientation orientation, QWidget *parent = nullptr);

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
};

} // namespace purslet

#include "chart.h"

#include "axis.h"
#include "chartframe.h"
#include "series.h"
#include "vline.h"

#include "safefile/safefile.h"

#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImageWriter>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace plotlet {

namespace {

using Ticks = QVector<QPair<double, QString>>;

const QColor GridColor(215, 215, 215);
const QColor SelectionColor(0, 120, 215);

// The smallest of 1, 2 and 5 times a power of ten that is not below the minimum.
double niceStep(double minimum)
{
    if (!(minimum > 0) || !std::isfinite(minimum))
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(minimum)));
    for (double factor : { 1.0, 2.0, 5.0 }) {
        if (factor * power >= minimum * (1 - 1e-9))
            return factor * power;
    }
    return 10 * power;
}

// The custom labels of an axis inside the range, or numbers; either at least minPixels
// apart. Custom labels too dense to read are thinned from the highest value down (the
// first row of a chart whose rows count downwards keeps its label), so that every label
// shown stays readable and still stands at its own value.
Ticks axisTicks(const Axis *axis, double low, double high, double scale, double minPixels,
                double minStep)
{
    Ticks ticks;
    const QMap<double, QString> custom = axis->customLabels();
    if (!custom.isEmpty()) {
        double lastKept = 0;
        bool kept = false;
        for (auto it = custom.cend(); it != custom.cbegin();) {
            --it;
            if (it.key() < low || it.key() > high)
                continue;
            if (kept && (lastKept - it.key()) * scale < minPixels - 1e-9)
                continue;
            ticks.prepend({ it.key(), it.value() });
            lastKept = it.key();
            kept = true;
        }
        return ticks;
    }
    const double step = niceStep(std::max(minStep, minPixels / scale));
    const int decimals = step >= 1 ? 0 : int(std::ceil(-std::log10(step) - 1e-9));
    for (double k = std::ceil(low / step - 1e-9); k * step <= high + step * 1e-9; ++k) {
        // Adding 0.0 turns -0 into 0, so the axis never reads "-0".
        const double value = k * step + 0.0;
        ticks.append({ value, QString::number(value, 'f', decimals) });
        if (ticks.size() > 1000)
            break;
    }
    return ticks;
}

// Replaces the width and height of the outer svg element.
QByteArray withOuterSize(const QByteArray &svg, const QString &width, const QString &height)
{
    const int tag = svg.indexOf("<svg");
    const int tagEnd = tag < 0 ? -1 : svg.indexOf('>', tag);
    if (tagEnd < 0)
        return svg;
    QString head = QString::fromUtf8(svg.left(tagEnd));
    static const QRegularExpression size(QStringLiteral("width=\"[^\"]*\"(\\s+)height=\"[^\"]*\""));
    head.replace(size, QStringLiteral("width=\"%1\"\\1height=\"%2\"").arg(width, height));
    return head.toUtf8() + svg.mid(tagEnd);
}

class RangeBuilder
{
public:
    void takeX(double low, double high) { take(m_x, low, high); }
    void takeY(double low, double high) { take(m_y, low, high); }
    QPair<double, double> x() const { return finish(m_x); }
    QPair<double, double> y() const { return finish(m_y); }

private:
    struct Span
    {
        bool known = false;
        double low = 0;
        double high = 1;
    };
    static void take(Span &span, double low, double high)
    {
        if (!std::isfinite(low) || !std::isfinite(high))
            return;
        span.low = span.known ? std::min(span.low, low) : low;
        span.high = span.known ? std::max(span.high, high) : high;
        span.known = true;
    }
    static QPair<double, double> finish(const Span &span)
    {
        if (span.high - span.low < 1e-9)
            return { span.low, span.low + 1 };
        return { span.low, span.high };
    }
    Span m_x;
    Span m_y;
};

} // namespace

struct Chart::Layout
{
    QSize size;
    QFont font;
    ChartFrame frame;
    Ticks xTicks;
    Ticks yTicks;
    // The label box of each line, in the order of the chart's lines.
    QVector<QRectF> labels;
};

Chart::Chart(QWidget *parent)
    : QWidget(parent)
    , m_xAxis(new Axis(this))
    , m_yAxis(new Axis(this))
    , m_bgColor(palette().color(QPalette::Window))
{
    qRegisterMetaType<Qt::MouseButton>();
    connect(m_xAxis, &Axis::changed, this, &Chart::contentChanged);
    connect(m_yAxis, &Axis::changed, this, &Chart::contentChanged);
}

Chart::~Chart()
{
    // The owned series and lines go as children; they must not call back into a half-gone chart.
    for (const auto &entry : std::as_const(m_series))
        entry.second->disconnect(this);
    for (VLine *line : std::as_const(m_lines))
        line->disconnect(this);
}

void Chart::addSeries(Series *series, int id)
{
    if (!series)
        return;
    for (const auto &entry : std::as_const(m_series)) {
        if (entry.second == series)
            return;
    }
    series->setParent(this);
    m_series.append({ id, series });
    connect(series, &Series::changed, this, &Chart::contentChanged);
    connect(series, &QObject::destroyed, this, [this, series] {
        for (int i = m_series.size() - 1; i >= 0; --i) {
            if (m_series.at(i).second == series)
                m_series.removeAt(i);
        }
        contentChanged();
    });
    contentChanged();
}

Series *Chart::findSeries(int id) const
{
    for (const auto &entry : m_series) {
        if (entry.first == id)
            return entry.second;
    }
    return nullptr;
}

QList<Series *> Chart::series() const
{
    QList<Series *> all;
    for (const auto &entry : m_series)
        all.append(entry.second);
    return all;
}

void Chart::removeAllSeries()
{
    const QList<QPair<int, Series *>> gone = m_series;
    m_series.clear();
    for (const auto &entry : gone) {
        entry.second->disconnect(this);
        delete entry.second;
    }
    contentChanged();
}

void Chart::setError(const QString &text)
{
    if (m_error == text)
        return;
    m_error = text;
    contentChanged();
}

void Chart::setMinGridStepX(double step)
{
    m_minGridStepX = std::max(0.0, step);
    contentChanged();
}

void Chart::setBgColor(const QColor &color)
{
    m_bgColor = color;
    update();
}

void Chart::addVLine(VLine *line)
{
    if (!line || m_lines.contains(line))
        return;
    line->setParent(this);
    line->m_chart = this;
    m_lines.append(line);
    connect(line, &VLine::changed, this, &Chart::contentChanged);
    connect(line, &QObject::destroyed, this, [this, line] {
        m_lines.removeAll(line);
        contentChanged();
    });
    contentChanged();
}

QList<VLine *> Chart::vlines() const
{
    return m_lines;
}

QPointF Chart::mapToChart(const QPointF &pixel, const QSize &size) const
{
    if (!size.isValid())
        return screenLayout().frame.toChart(pixel);
    return makeLayout(size).frame.toChart(pixel);
}

QPointF Chart::mapFromChart(const QPointF &point, const QSize &size) const
{
    if (!size.isValid())
        return screenLayout().frame.toPixel(point);
    return makeLayout(size).frame.toPixel(point);
}

bool Chart::saveAsImage(const QString &path, const QSize &size, QString *error) const
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg"))
        return saveAsSvg(path, size, false, error);

    const QByteArray format = suffix.toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(format)) {
        if (error)
            *error = tr("No picture format for the file name %1").arg(path);
        return false;
    }
    const QSize pictureSize = size.isValid() ? size : this->size();
    QImage image;
    if (!pictureSize.isEmpty())
        image = QImage(pictureSize, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        if (error)
            *error = tr("A picture of %1 x %2 pixels cannot be made")
                         .arg(pictureSize.width())
                         .arg(pictureSize.height());
        return false;
    }
    QPainter painter(&image);
    paintChart(painter, makeLayout(pictureSize));
    painter.end();

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image)) {
        if (error)
            *error = writer.errorString();
        return false;
    }
    return SafeFile::write(path, buffer.data(), error);
}

bool Chart::saveAsSvg(const QString &path, const QSize &size, bool inMillimeters,
                      QString *error) const
{
    const QSize given = size.isValid() ? size : this->size();
    if (given.isEmpty()) {
        if (error)
            *error
                = tr("A picture of %1 x %2 cannot be made").arg(given.width()).arg(given.height());
        return false;
    }
    // The drawing is laid out in pixels at 96 dpi.
    const QSize pixels = inMillimeters ? QSize(std::max(1, qRound(given.width() * 96 / 25.4)),
                                               std::max(1, qRound(given.height() * 96 / 25.4)))
                                       : given;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(pixels);
    generator.setResolution(96);
    generator.setViewBox(QRect(QPoint(0, 0), pixels));
    QPainter painter;
    if (!painter.begin(&generator)) {
        if (error)
            *error = tr("The SVG picture cannot be drawn");
        return false;
    }
    paintChart(painter, makeLayout(pixels));
    painter.end();

    // The generator gives the outer size in millimetres worked out from its resolution,
    // which viewers turn back into pixels each at its own; the file states the size
    // asked for instead, in pixels or in exact millimetres.
    const QString unit = inMillimeters ? QStringLiteral("mm") : QString();
    const QByteArray svg = withOuterSize(buffer.data(), QString::number(given.width()) + unit,
                                         QString::number(given.height()) + unit);
    return SafeFile::write(path, svg, error);
}

QSize Chart::sizeHint() const
{
    return QSize(400, 300);
}

QSize Chart::minimumSizeHint() const
{
    return QSize(120, 80);
}

Chart::Layout Chart::makeLayout(const QSize &size) const
{
    Layout layout;
    layout.size = size;
    // Text is measured and drawn in pixels, so an exported picture has the proportions of
    // the screen whatever resolution its device claims.
    layout.font = font();
    if (layout.font.pixelSize() <= 0)
        layout.font.setPixelSize(std::max(1, qRound(layout.font.pointSizeF() * 96.0 / 72.0)));
    const QFontMetricsF metrics(layout.font);

    RangeBuilder range;
    for (const auto &entry : m_series) {
        const Series *series = entry.second;
        if (series->isVisible() && !series->isEmpty()) {
            const QRectF bounds = series->bounds();
            range.takeX(bounds.left(), bounds.right());
            range.takeY(bounds.top(), bounds.bottom());
        }
    }
    const QMap<double, QString> yLabels = m_yAxis->customLabels();
    for (auto it = yLabels.cbegin(); it != yLabels.cend(); ++it)
        range.takeY(it.key() - 1, it.key() + 1);
    const QMap<double, QString> xLabels = m_xAxis->customLabels();
    for (auto it = xLabels.cbegin(); it != xLabels.cend(); ++it)
        range.takeX(it.key(), it.key());
    // The lines' own places, not a dragged one, so the scale holds still under the mouse.
    for (const VLine *line : m_lines)
        range.takeX(line->pos(), line->pos() + line->width());
    const auto [xMin, xMax] = range.x();
    const auto [yMin, yMax] = range.y();

    const double top = 8;
    const double bottom = metrics.height() + 10;
    const double plotHeight = std::max(1.0, size.height() - top - bottom);
    layout.yTicks
        = axisTicks(m_yAxis, yMin, yMax, plotHeight / (yMax - yMin), metrics.height() + 4, 0);
    double labelWidth = 0;
    for (const auto &tick : std::as_const(layout.yTicks))
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(tick.second));
    const double left = std::max(24.0, labelWidth + 12);

    const double numberWidth = std::max(metrics.horizontalAdvance(QString::number(xMin)),
                                        metrics.horizontalAdvance(QString::number(xMax)));
    const double right = 12 + numberWidth / 2;
    const double plotWidth = std::max(1.0, size.width() - left - right);
    layout.xTicks = axisTicks(m_xAxis, xMin, xMax, plotWidth / (xMax - xMin), numberWidth + 16,
                              m_minGridStepX);
    layout.frame = ChartFrame(QRectF(left, top, plotWidth, plotHeight), xMin, xMax, yMin, yMax);

    // Label boxes at the top of the plot; a box that would cover an earlier one goes below it.
    const double labelHeight = metrics.height() + 2;
    for (const VLine *line : m_lines) {
        const double x = layout.frame.xToPixel(linePos(line));
        QRectF box(x + 2, top + 2, std::max(10.0, metrics.horizontalAdvance(line->caption()) + 6),
                   labelHeight);
        for (bool moved = true; moved;) {
            moved = false;
            for (const QRectF &other : std::as_const(layout.labels)) {
                if (other.intersects(box)) {
                    box.moveTop(other.bottom() + 1);
                    moved = true;
                }
            }
        }
        layout.labels.append(box);
    }
    return layout;
}

const Chart::Layout &Chart::screenLayout() const
{
    if (!m_screenLayout || m_screenLayout->size != size())
        m_screenLayout = std::make_unique<Layout>(makeLayout(size()));
    return *m_screenLayout;
}

void Chart::paintChart(QPainter &painter, const Layout &layout) const
{
    painter.save();
    const QRectF whole(QPointF(0, 0), QSizeF(layout.size));
    painter.fillRect(whole, m_bgColor);
    painter.setFont(layout.font);
    if (!m_error.isEmpty()) {
        painter.setPen(Qt::black);
        painter.drawText(whole.adjusted(10, 10, -10, -10), Qt::AlignCenter | Qt::TextWordWrap,
                         m_error);
        painter.restore();
        return;
    }

    const ChartFrame &frame = layout.frame;
    const QRectF plot = frame.plotArea();
    painter.setPen(QPen(GridColor, 1));
    for (const auto &tick : layout.xTicks) {
        const double x = frame.xToPixel(tick.first);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
    for (const auto &tick : layout.yTicks) {
        const double y = frame.yToPixel(tick.first);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }

    painter.save();
    painter.setClipRect(plot);
    for (Series::Layer layer : { Series::Layer::Under, Series::Layer::Over }) {
        for (const auto &entry : m_series) {
            if (entry.second->isVisible())
                entry.second->paint(painter, frame, layer);
        }
    }
    painter.restore();

    const QFontMetricsF metrics(layout.font);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    for (const auto &tick : layout.xTicks) {
        const double x = frame.xToPixel(tick.first);
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 4));
        painter.drawText(QRectF(x - 100, plot.bottom() + 5, 200, metrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, tick.second);
    }
    for (const auto &tick : layout.yTicks) {
        const double y = frame.yToPixel(tick.first);
        painter.drawLine(QPointF(plot.left() - 4, y), QPointF(plot.left(), y));
        painter.drawText(QRectF(0, y - metrics.height() / 2, plot.left() - 8, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, tick.second);
    }

    painter.setClipRect(plot);
    for (int i = 0; i < m_lines.size(); ++i) {
        const VLine *line = m_lines.at(i);
        const QColor color
            = line->selected() && !line->keepsColorWhenSelected() ? SelectionColor : line->color();
        const double x = frame.xToPixel(linePos(line));
        if (line->width() > 0) {
            QColor band = color;
            band.setAlpha(50);
            painter.fillRect(QRectF(x, plot.top(), line->width() * frame.xScale(), plot.height()),
                             band);
        }
        painter.setPen(QPen(color, line->selected() ? 3 : 1));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        const QRectF box = layout.labels.value(i);
        painter.setPen(QPen(color, 1));
        painter.setBrush(Qt::white);
        painter.drawRect(box);
        painter.drawText(box, Qt::AlignCenter, line->caption());
    }
    painter.restore();
}

void Chart::contentChanged()
{
    m_screenLayout.reset();
    update();
}

double Chart::linePos(const VLine *line) const
{
    return m_drag.line == line && m_drag.moved ? m_drag.pos : line->pos();
}

QRect Chart::labelRect(const VLine *line) const
{
    const int index = m_lines.indexOf(const_cast<VLine *>(line));
    if (index < 0)
        return QRect();
    return screenLayout().labels.value(index).toAlignedRect();
}

VLine *Chart::lineAt(const QPoint &pixel) const
{
    if (!m_error.isEmpty())
        return nullptr;
    const Layout &layout = screenLayout();
    const QRectF plot = layout.frame.plotArea();
    for (int i = m_lines.size() - 1; i >= 0; --i) {
        VLine *line = m_lines.at(i);
        if (layout.labels.value(i).contains(pixel))
            return line;
        if (pixel.y() < plot.top() || pixel.y() > plot.bottom())
            continue;
        const double x = layout.frame.xToPixel(linePos(line));
        const double bandEnd = x + line->width() * layout.frame.xScale();
        if (std::abs(pixel.x() - x) <= 3 || (pixel.x() >= x && pixel.x() <= bandEnd))
            return line;
    }
    return nullptr;
}

void Chart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintChart(painter, screenLayout());
}

void Chart::resizeEvent(QResizeEvent *event)
{
    m_screenLayout.reset();
    QWidget::resizeEvent(event);
}

void Chart::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        contentChanged();
    QWidget::changeEvent(event);
}

void Chart::mousePressEvent(QMouseEvent *event)
{
    const QPointF point = mapToChart(event->pos());
    if (event->button() == Qt::LeftButton) {
        VLine *hit = lineAt(event->pos());
        const bool adding = event->modifiers() & Qt::ControlModifier;
        if (!adding) {
            for (VLine *line : std::as_const(m_lines)) {
                if (line != hit)
                    line->setSelected(false);
            }
        }
        if (hit) {
            hit->setSelected(adding ? !hit->selected() : true);
            if (hit->selected())
                m_drag = Drag { hit, point.x() - hit->pos(), hit->pos(), event->pos(), false };
        }
    }
    emit mousePress(event->button(), event->pos(), point);
}

void Chart::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_drag.line)
        return;
    if (!m_drag.moved
        && (event->pos() - m_drag.pressPixel).manhattanLength() < QApplication::startDragDistance())
        return;
    m_drag.moved = true;
    double pos = mapToChart(event->pos()).x() - m_drag.grabOffset;
    // A dragged line lands on tenths of the smallest grid step (0.1 s on the signal plans).
    if (m_minGridStepX > 0) {
        const double perUnit = 10 / m_minGridStepX;
        pos = std::round(pos * perUnit) / perUnit;
    }
    m_drag.pos = pos;
    contentChanged();
}

void Chart::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_drag.line)
        return;
    const Drag drag = m_drag;
    m_drag = Drag();
    contentChanged();
    if (drag.moved)
        drag.line->move(drag.pos);
}

void Chart::mouseDoubleClickEvent(QMouseEvent *event)
{
    emit mouseButtonDblClick(event->button(), event->pos(), mapToChart(event->pos()));
}

} // namespace plotlet

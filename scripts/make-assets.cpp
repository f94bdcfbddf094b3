// Draws the program's built-in pictures and icons, and the program's icon at the sizes the desktop's menus
// use. Run through make-assets.sh, which builds this file and writes into assets/ and packaging/icons/;
// the results are committed so that a normal build never needs this program.
#include <QDir>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <cmath>
#include <cstdio>
#include <functional>

namespace
{

QString outputDir;
bool allSaved = true;

void save(const QImage &image, const QString &name, int jpegQuality = -1)
{
    const QString path = outputDir + '/' + name;
    if (!image.save(path, nullptr, jpegQuality)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        allSaved = false;
    }
}

QFont sans(qreal pixelSize, bool bold = false, qreal letterSpacing = 0)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(qRound(pixelSize));
    font.setBold(bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void centredText(QPainter &p, const QString &text, const QFont &font, const QColor &colour, qreal centreX,
                 qreal baseline, bool shadow = true)
{
    p.setFont(font);
    const QFontMetricsF metrics(font);
    // Letter spacing is also added after the last glyph; leave it out of the centring.
    const qreal width = metrics.horizontalAdvance(text) - font.letterSpacing();
    const QPointF origin(centreX - width / 2, baseline);
    if (shadow) {
        p.setPen(QColor(0, 0, 0, 110));
        p.drawText(origin + QPointF(0, 2), text);
    }
    p.setPen(colour);
    p.drawText(origin, text);
}

// ---------------------------------------------------------------- maker's mark and dark backdrop

QPainterPath cloudPath(const QRectF &r)
{
    auto circle = [&](qreal cx, qreal cy, qreal radius) {
        QPainterPath path;
        path.addEllipse(QPointF(r.left() + cx * r.width(), r.top() + cy * r.height()), radius * r.width(),
                        radius * r.width());
        return path;
    };
    QPainterPath base;
    base.addRoundedRect(
        QRectF(r.left() + 0.04 * r.width(), r.top() + 0.52 * r.height(), 0.92 * r.width(), 0.48 * r.height()),
        0.24 * r.height(), 0.24 * r.height());
    return base.united(circle(0.27, 0.60, 0.17))
        .united(circle(0.50, 0.42, 0.25))
        .united(circle(0.74, 0.58, 0.19))
        .simplified();
}

// The cloud of Nimbo Softwares with the orbit that crosses it.
void drawNimboMark(QPainter &p, const QRectF &r, bool glow)
{
    p.save();
    if (glow) {
        QRadialGradient halo(r.center(), r.width() * 0.95);
        halo.setColorAt(0, QColor(120, 190, 255, 90));
        halo.setColorAt(0.45, QColor(80, 150, 230, 35));
        halo.setColorAt(1, QColor(80, 150, 230, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawEllipse(r.center(), r.width() * 0.95, r.width() * 0.95);
    }
    const QPainterPath cloud = cloudPath(r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawPath(cloud.translated(0, r.height() * 0.04));
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, QColor(0xff, 0xff, 0xff));
    fill.setColorAt(1, QColor(0xc4, 0xdf, 0xfa));
    p.setBrush(fill);
    p.drawPath(cloud);

    // Orbit: a tilted ellipse, hidden where it passes behind the cloud.
    const QPointF centre(r.center().x(), r.top() + r.height() * 0.68);
    const qreal rx = r.width() * 0.62;
    const qreal ry = r.height() * 0.17;
    const qreal stroke = std::max<qreal>(1.5, r.width() * 0.028);
    QPainterPath orbit;
    orbit.addEllipse(centre, rx, ry);
    QTransform tilt;
    tilt.translate(centre.x(), centre.y());
    tilt.rotate(-12);
    tilt.translate(-centre.x(), -centre.y());
    orbit = tilt.map(orbit);
    QPainterPathStroker stroker;
    stroker.setWidth(stroke);
    const QPainterPath ring = stroker.createStroke(orbit);
    QPainterPath front;
    front.addRect(QRectF(r.left() - r.width(), centre.y() - stroke, r.width() * 3, r.height()));
    front = tilt.map(front);
    p.setBrush(QColor(0x4f, 0xb0, 0xf5));
    p.drawPath(ring.subtracted(cloud).united(ring.intersected(front)));
    p.setBrush(QColor(0xff, 0xc8, 0x4a));
    p.drawEllipse(tilt.map(QPointF(centre.x() + rx * 0.92, centre.y() + ry * 0.39)), stroke * 1.6,
                  stroke * 1.6);
    p.restore();
}

void paintNightSky(QPainter &p, const QRectF &r, const QPointF &light)
{
    QRadialGradient sky(light, std::hypot(r.width(), r.height()) * 0.62);
    sky.setColorAt(0, QColor(0x1e, 0x57, 0x9c));
    sky.setColorAt(0.5, QColor(0x12, 0x3a, 0x72));
    sky.setColorAt(1, QColor(0x0a, 0x24, 0x4b));
    p.fillRect(r, sky);

    // A faint dot grid, strongest near the light.
    const qreal reach = std::hypot(r.width(), r.height()) * 0.55;
    p.setPen(Qt::NoPen);
    for (qreal y = r.top() + 9; y < r.bottom(); y += 18) {
        for (qreal x = r.left() + 9; x < r.right(); x += 18) {
            const qreal fade = 1 - std::hypot(x - light.x(), y - light.y()) / reach;
            if (fade <= 0)
                continue;
            p.setBrush(QColor(160, 205, 255, int(34 * fade)));
            p.drawEllipse(QPointF(x, y), 1.2, 1.2);
        }
    }
}

void paintWaves(QPainter &p, const QRectF &r, qreal top)
{
    p.setPen(Qt::NoPen);
    const struct {
        qreal rise, phase;
        QColor colour;
    } waves[] = {{0, 0.0, QColor(90, 160, 235, 16)},
                 {18, 1.7, QColor(90, 160, 235, 12)},
                 {34, 3.1, QColor(255, 255, 255, 8)}};
    for (const auto &wave : waves) {
        QPainterPath path(QPointF(r.left(), r.bottom()));
        for (qreal x = r.left(); x <= r.right() + 1; x += 4) {
            const qreal t = (x - r.left()) / r.width();
            path.lineTo(x, top + wave.rise + 16 * std::sin(t * 2 * M_PI * 1.3 + wave.phase));
        }
        path.lineTo(r.right(), r.bottom());
        path.closeSubpath();
        p.setBrush(wave.colour);
        p.drawPath(path);
    }
}

void divider(QPainter &p, qreal centreX, qreal y, qreal halfWidth)
{
    QLinearGradient line(centreX - halfWidth, y, centreX + halfWidth, y);
    line.setColorAt(0, QColor(120, 185, 250, 0));
    line.setColorAt(0.5, QColor(150, 205, 255, 200));
    line.setColorAt(1, QColor(120, 185, 250, 0));
    p.fillRect(QRectF(centreX - halfWidth, y, 2 * halfWidth, 1.5), line);
}

const QColor textWhite(0xf4, 0xf8, 0xfd);
const QColor textSky(0x9c, 0xc9, 0xf2);

// ---------------------------------------------------------------- large pictures

// Seen through a dome: the top of the picture is narrow, so the content sits in its middle.
QImage splash()
{
    QImage image(800, 601, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintNightSky(p, image.rect(), QPointF(400, 230));
    paintWaves(p, image.rect(), 520);

    drawNimboMark(p, QRectF(290, 112, 220, 145), true);
    centredText(p, QStringLiteral("NIMBO SOFTWARES"), sans(25, true, 7), textSky, 400, 308);
    divider(p, 400, 330, 230);
    centredText(p, QStringLiteral("Estocarium"), sans(92, true, -1), textWhite, 400, 425);
    centredText(p, QStringLiteral("Controle de Estoque  •  Almoxarifado"), sans(25), textSky, 400, 470);
    centredText(p, QStringLiteral("Gestão de materiais para a administração pública"), sans(17),
                QColor(0x7f, 0xa9, 0xd6), 400, 548, false);
    return image;
}

QImage about()
{
    QImage image(532, 400, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintNightSky(p, image.rect(), QPointF(266, 120));

    drawNimboMark(p, QRectF(206, 28, 120, 79), true);
    centredText(p, QStringLiteral("NIMBO SOFTWARES"), sans(17, true, 5), textSky, 266, 140);
    divider(p, 266, 156, 170);
    centredText(p, QStringLiteral("Estocarium"), sans(58, true, -0.5), textWhite, 266, 224);
    centredText(p, QStringLiteral("Controle de Estoque / Almoxarifado"), sans(18), textSky, 266, 256);
    centredText(p, QStringLiteral("Versão - 2017"), sans(16, true), QColor(0xff, 0xd0, 0x6a), 266, 290);

    QLinearGradient band(0, 338, 0, 400);
    band.setColorAt(0, QColor(3, 12, 30, 150));
    band.setColorAt(1, QColor(3, 12, 30, 220));
    p.fillRect(QRectF(0, 338, 532, 62), band);
    p.fillRect(QRectF(0, 338, 532, 1), QColor(110, 170, 235, 90));
    centredText(p, QStringLiteral("www.nimbo.example.org"), sans(17, true, 0.5), textWhite, 266, 366, false);
    centredText(p, QStringLiteral("© 2017 Nimbo Softwares. Todos os direitos reservados."), sans(11.5),
                QColor(0x84, 0xa6, 0xcc), 266, 387, false);
    return image;
}

// Stretched behind the main window's picture: pallet racks in a soft blue haze, fading upwards.
QImage background()
{
    const int width = 1333;
    const int height = 541;
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient base(0, 0, width, height);
    base.setColorAt(0, QColor(0x0c, 0x27, 0x4f));
    base.setColorAt(0.55, QColor(0x17, 0x44, 0x7d));
    base.setColorAt(1, QColor(0x27, 0x62, 0xa3));
    p.fillRect(image.rect(), base);

    QRandomGenerator random(2017);
    const qreal floor = height - 10;
    const qreal beams[] = {floor, 410, 290, 170};
    const QColor line(200, 225, 255, 26);
    const QColor box(200, 225, 255, 12);
    for (qreal left = 24; left < width; left += 236) {
        const qreal right = left + 220;
        p.setPen(Qt::NoPen);
        p.setBrush(line);
        p.drawRect(QRectF(left, 120, 7, floor - 120));
        p.drawRect(QRectF(right - 7, 120, 7, floor - 120));
        for (int level = 1; level < 4; ++level)
            p.drawRect(QRectF(left, beams[level], right - left, 5));
        for (int level = 0; level < 3; ++level) {
            const qreal shelf = beams[level];
            const qreal room = shelf - beams[level + 1] - 16;
            for (qreal x = left + 14; x < right - 30;) {
                const qreal w = 34 + random.bounded(50);
                if (x + w > right - 12)
                    break;
                const qreal h = room * (0.45 + random.bounded(0.5));
                const QRectF crate(x, shelf - h, w, h);
                p.setPen(QPen(line, 1.5));
                p.setBrush(box);
                p.drawRect(crate);
                p.drawLine(QPointF(crate.center().x(), crate.top()),
                           QPointF(crate.center().x(), crate.top() + h * 0.3));
                x += w + 6 + random.bounded(14);
            }
        }
    }

    QLinearGradient haze(0, 0, 0, height);
    haze.setColorAt(0, QColor(0x0c, 0x27, 0x4f, 235));
    haze.setColorAt(0.35, QColor(0x0f, 0x30, 0x5e, 150));
    haze.setColorAt(1, QColor(0x12, 0x38, 0x6b, 0));
    p.fillRect(image.rect(), haze);

    QRadialGradient sheen(QPointF(width * 0.72, -80), width * 0.55);
    sheen.setColorAt(0, QColor(170, 210, 255, 60));
    sheen.setColorAt(1, QColor(170, 210, 255, 0));
    p.fillRect(image.rect(), sheen);
    return image;
}

QImage emptyPortrait()
{
    QImage image(240, 320, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient wall(0, 0, 0, 320);
    wall.setColorAt(0, QColor(0xf0, 0xf2, 0xf4));
    wall.setColorAt(1, QColor(0xd3, 0xd8, 0xde));
    p.fillRect(image.rect(), wall);

    QLinearGradient figure(0, 70, 0, 320);
    figure.setColorAt(0, QColor(0xb4, 0xbb, 0xc4));
    figure.setColorAt(1, QColor(0x98, 0xa1, 0xad));
    QPainterPath figureShape(QPointF(8, 330));
    figureShape.cubicTo(8, 262, 40, 224, 120, 220);
    figureShape.cubicTo(200, 224, 232, 262, 232, 330);
    figureShape.closeSubpath();
    figureShape.addEllipse(QPointF(120, 132), 50, 60);
    p.setPen(Qt::NoPen);
    p.setBrush(figure);
    p.drawPath(figureShape);
    return image;
}

// ---------------------------------------------------------------- municipal arms

void drawCoffeeBranch(QPainter &p)
{
    const QColor leaf(0x3d, 0x86, 0x3a);
    const QColor leafEdge(0x1f, 0x50, 0x1f);
    QPainterPath stem(QPointF(88, 186));
    stem.cubicTo(40, 176, 22, 128, 40, 70);
    p.setPen(QPen(QColor(0x6b, 0x4a, 0x22), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(stem);
    for (int i = 0; i < 7; ++i) {
        const qreal t = 0.14 + i * 0.125;
        const QPointF at = stem.pointAtPercent(t);
        const qreal angle = stem.angleAtPercent(t);
        for (int side : {-1, 1}) {
            p.save();
            p.translate(at);
            p.rotate(-angle + side * 48);
            p.setPen(QPen(leafEdge, 0.8));
            p.setBrush(leaf);
            p.drawEllipse(QPointF(7.5, 0), 8, 3.4);
            p.restore();
        }
        if (i % 2 == 0) {
            p.setPen(QPen(QColor(0x6e, 0x12, 0x10), 0.6));
            p.setBrush(QColor(0xc4, 0x2b, 0x22));
            p.drawEllipse(at + QPointF(2.5, 1.5), 2.6, 2.6);
        }
    }
}

QPainterPath shieldPath()
{
    QPainterPath shield(QPointF(54, 56));
    shield.lineTo(146, 56);
    shield.lineTo(146, 124);
    shield.cubicTo(146, 152, 126, 172, 100, 174);
    shield.cubicTo(74, 172, 54, 152, 54, 124);
    shield.closeSubpath();
    return shield;
}

void drawShield(QPainter &p)
{
    const QPainterPath shield = shieldPath();
    p.save();
    p.setClipPath(shield);
    QLinearGradient sky(0, 56, 0, 140);
    sky.setColorAt(0, QColor(0x1c, 0x4f, 0x9a));
    sky.setColorAt(1, QColor(0x4a, 0x8d, 0xd8));
    p.fillRect(QRectF(54, 56, 92, 120), sky);

    const QPointF sun(100, 112);
    const QColor gold(0xf0, 0xbd, 0x2e);
    const QColor goldEdge(0x8a, 0x62, 0x0c);
    p.setPen(QPen(gold, 2.2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 11; ++i) {
        const qreal a = M_PI * (i + 0.5) / 11;
        p.drawLine(sun + QPointF(-std::cos(a) * 22, -std::sin(a) * 22),
                   sun + QPointF(-std::cos(a) * 33, -std::sin(a) * 33));
    }
    p.setPen(QPen(goldEdge, 1));
    p.setBrush(gold);
    p.drawEllipse(sun, 18, 18);

    QPolygonF range;
    range << QPointF(50, 142) << QPointF(72, 104) << QPointF(84, 118) << QPointF(102, 88) << QPointF(121, 120)
          << QPointF(133, 106) << QPointF(150, 134) << QPointF(150, 180) << QPointF(50, 180);
    QLinearGradient rock(0, 88, 0, 150);
    rock.setColorAt(0, QColor(0xf7, 0xd2, 0x5a));
    rock.setColorAt(1, QColor(0xc9, 0x8f, 0x18));
    p.setBrush(rock);
    p.setPen(QPen(goldEdge, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolygon(range);
    p.setPen(QPen(QColor(0x9c, 0x6d, 0x10, 150), 1));
    p.drawLine(QPointF(102, 88), QPointF(98, 112));
    p.drawLine(QPointF(72, 104), QPointF(76, 122));
    p.drawLine(QPointF(133, 106), QPointF(130, 124));

    // River in base, silver and blue waves.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf4, 0xf6, 0xf8));
    p.drawRect(QRectF(50, 140, 100, 40));
    for (int row = 0; row < 3; ++row) {
        QPainterPath wave(QPointF(50, 146 + row * 9));
        for (qreal x = 50; x <= 150; x += 2)
            wave.lineTo(x, 146 + row * 9 + 2.2 * std::sin((x - 50) / 100 * 2 * M_PI * 3));
        p.setPen(QPen(QColor(0x2a, 0x64, 0xb0), 3.2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(wave);
    }
    p.restore();

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xd9, 0xa9, 0x2a), 3.2));
    p.drawPath(shield);
    p.setPen(QPen(QColor(0x4a, 0x36, 0x08), 1.1));
    QPainterPathStroker outer;
    outer.setWidth(3.2);
    p.drawPath(outer.createStroke(shield).simplified());
}

// Silver mural crown of a town: five towers in sight.
void drawMuralCrown(QPainter &p)
{
    const QColor silver(0xdc, 0xe0, 0xe6);
    const QColor silverEdge(0x55, 0x5c, 0x67);
    const QColor gate(0x3a, 0x40, 0x4a);
    const struct {
        qreal centre, width, top;
    } towers[] = {{65, 13, 30}, {134, 13, 30}, {82, 15, 24}, {118, 15, 24}, {100, 18, 18}};
    p.setPen(QPen(silverEdge, 1));
    for (const auto &tower : towers) {
        const qreal left = tower.centre - tower.width / 2;
        const qreal merlon = tower.width / 5;
        QPainterPath body(QPointF(left, 50));
        body.lineTo(left, tower.top);
        for (int i = 0; i < 5; ++i) {
            const qreal x = left + i * merlon;
            const qreal y = i % 2 == 0 ? tower.top : tower.top + merlon * 0.9;
            body.lineTo(x, y);
            body.lineTo(x + merlon, y);
        }
        body.lineTo(left + tower.width, 50);
        body.closeSubpath();
        p.setBrush(silver);
        p.drawPath(body.simplified());
        p.setBrush(gate);
        const qreal gateWidth = tower.width * 0.36;
        QPainterPath door(QPointF(tower.centre - gateWidth / 2, 50));
        door.lineTo(tower.centre - gateWidth / 2, 50 - tower.width * 0.5);
        door.arcTo(QRectF(tower.centre - gateWidth / 2, 50 - tower.width * 0.5 - gateWidth / 2, gateWidth,
                          gateWidth),
                   180, -180);
        door.lineTo(tower.centre + gateWidth / 2, 50);
        door.closeSubpath();
        p.drawPath(door);
    }
    p.setBrush(silver);
    p.drawRect(QRectF(56, 48, 88, 8));
    p.setBrush(gate);
    for (qreal x = 62; x < 142; x += 10)
        p.drawRect(QRectF(x, 50.5, 4, 3));
}

void drawListel(QPainter &p)
{
    const QColor red(0xb8, 0x23, 0x1e);
    const QColor fold(0x7a, 0x14, 0x10);
    const QColor edge(0x52, 0x0c, 0x0a);
    p.setPen(QPen(edge, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (int side : {-1, 1}) {
        QPolygonF tail;
        tail << QPointF(100 + side * 62, 170) << QPointF(100 + side * 92, 170)
             << QPointF(100 + side * 84, 180) << QPointF(100 + side * 92, 190)
             << QPointF(100 + side * 62, 190);
        p.setBrush(fold);
        p.drawPolygon(tail);
    }
    QPainterPath band(QPointF(30, 164));
    band.quadTo(100, 182, 170, 164);
    band.lineTo(170, 184);
    band.quadTo(100, 202, 30, 184);
    band.closeSubpath();
    p.setBrush(red);
    p.drawPath(band);

    const QString name = QStringLiteral("SERRA DOURADA");
    const QFont font = sans(11, true, 0.6);
    const QFontMetricsF metrics(font);
    qreal x = 100 - (metrics.horizontalAdvance(name) - font.letterSpacing()) / 2;
    p.setFont(font);
    p.setPen(QColor(0xff, 0xe2, 0x8a));
    for (const QChar c : name) {
        const qreal advance = metrics.horizontalAdvance(c) + font.letterSpacing();
        const qreal mid = x + advance / 2 - 100;
        // Follow the ribbon's curve: the same quadratic as its edges.
        const qreal t = (mid + 70) / 140;
        const qreal lift = 2 * t * (1 - t) * 18;
        p.save();
        p.translate(x, 174 + lift * 0.5 + 4);
        p.rotate(std::atan2(18 * (1 - 2 * t) / 70, 1) * 180 / M_PI * 0.5);
        p.drawText(QPointF(0, 0), QString(c));
        p.restore();
        x += advance;
    }
}

QImage municipalArms()
{
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawCoffeeBranch(p);
    p.save();
    p.translate(200, 0);
    p.scale(-1, 1);
    drawCoffeeBranch(p);
    p.restore();
    drawShield(p);
    drawMuralCrown(p);
    drawListel(p);
    return image;
}

// ---------------------------------------------------------------- icons

// Icons are drawn on a 32-unit grid whatever their size; outlines are one device pixel wide and
// rectangles are snapped to pixel centres so that they stay crisp at 16 pixels too.
class Icon
{
public:
    explicit Icon(int size) : image(size, size, QImage::Format_ARGB32_Premultiplied), unit(size / 32.0)
    {
        image.fill(Qt::transparent);
        painter.begin(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(unit, unit);
    }

    bool small() const { return unit < 1; }
    qreal snap(qreal v) const { return (std::floor(v * unit) + 0.5) / unit; }
    QRectF box(qreal left, qreal top, qreal right, qreal bottom) const
    {
        return QRectF(QPointF(snap(left), snap(top)), QPointF(snap(right), snap(bottom)));
    }
    void outline(const QColor &colour)
    {
        QPen pen(colour, 1);
        pen.setCosmetic(true);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
    }
    void shape(const QColor &fill)
    {
        outline(fill.darker(190));
        painter.setBrush(fill);
    }
    void line(const QColor &colour, qreal width)
    {
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
    }
    QImage finish()
    {
        painter.end();
        return image;
    }

    QImage image;
    QPainter painter;
    const qreal unit;
};

namespace tone
{
const QColor blue(0x33, 0x74, 0xc4);
const QColor lightBlue(0x8c, 0xbd, 0xee);
const QColor green(0x3f, 0xa3, 0x4d);
const QColor red(0xd1, 0x45, 0x3b);
const QColor orange(0xf0, 0x9a, 0x2a);
const QColor grey(0x7f, 0x8b, 0x98);
const QColor paper(0xfb, 0xfc, 0xfd);
const QColor wood(0xb0, 0x72, 0x3e);
} // namespace tone

void badge(Icon &icon, const QColor &colour, QPointF centre, qreal radius)
{
    icon.shape(colour);
    icon.painter.drawEllipse(centre, radius, radius);
}

void drawExit(Icon &icon)
{
    QPainter &p = icon.painter;
    icon.shape(QColor(0x4a, 0x55, 0x63));
    p.drawRect(icon.box(4, 2, 20, 30));
    QPolygonF leaf;
    leaf << QPointF(icon.snap(4), icon.snap(2)) << QPointF(15, 5) << QPointF(15, 31)
         << QPointF(icon.snap(4), icon.snap(30));
    icon.shape(tone::wood);
    p.drawPolygon(leaf);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf3, 0xd2, 0x6b));
    p.drawEllipse(QPointF(12.5, 17), 1.5, 1.5);
    QPolygonF arrow;
    arrow << QPointF(14, 13) << QPointF(22, 13) << QPointF(22, 7) << QPointF(31, 16) << QPointF(22, 25)
          << QPointF(22, 19) << QPointF(14, 19);
    icon.shape(tone::green);
    p.drawPolygon(arrow);
}

void drawPerson(Icon &icon, qreal cx, qreal top, const QColor &colour)
{
    QPainter &p = icon.painter;
    QPainterPath body(QPointF(cx - 9.5, top + 21));
    body.lineTo(cx - 9.5, top + 17);
    body.cubicTo(cx - 9.5, top + 12, cx - 5, top + 10.5, cx, top + 10.5);
    body.cubicTo(cx + 5, top + 10.5, cx + 9.5, top + 12, cx + 9.5, top + 17);
    body.lineTo(cx + 9.5, top + 21);
    body.closeSubpath();
    icon.shape(colour);
    p.drawPath(body);
    icon.shape(QColor(0xf1, 0xc2, 0x94));
    p.drawEllipse(QPointF(cx, top + 5), 5, 5);
}

void drawUsers(Icon &icon)
{
    drawPerson(icon, 21, 3, tone::lightBlue.darker(115));
    drawPerson(icon, 12, 9, tone::blue);
}

void drawPrinter(Icon &icon)
{
    QPainter &p = icon.painter;
    icon.shape(tone::paper);
    p.drawRect(icon.box(8, 2, 24, 13));
    icon.shape(tone::grey);
    p.drawRoundedRect(icon.box(2, 11, 30, 25), 2, 2);
    icon.shape(QColor(0x4a, 0x55, 0x63));
    p.drawRect(icon.box(6, 20, 26, 24));
    icon.shape(tone::paper);
    p.drawRect(icon.box(8, 21, 24, 30));
    icon.line(QColor(0x9a, 0xa6, 0xb3), icon.small() ? 2 : 1.4);
    for (qreal y : {24.5, 27.5})
        p.drawLine(QPointF(11, y), QPointF(21, y));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x6c, 0xe0, 0x62));
    p.drawEllipse(QPointF(26, 15), 1.5, 1.5);
}

void drawDocument(Icon &icon, qreal left, qreal right)
{
    QPainter &p = icon.painter;
    const qreal l = icon.snap(left), r = icon.snap(right), t = icon.snap(2), b = icon.snap(30);
    const qreal fold = 7;
    QPainterPath page(QPointF(l, t));
    page.lineTo(r - fold, t);
    page.lineTo(r, t + fold);
    page.lineTo(r, b);
    page.lineTo(l, b);
    page.closeSubpath();
    icon.outline(QColor(0x6d, 0x78, 0x85));
    p.setBrush(tone::paper);
    p.drawPath(page);
    QPainterPath corner(QPointF(r - fold, t));
    corner.lineTo(r - fold, t + fold);
    corner.lineTo(r, t + fold);
    p.setBrush(QColor(0xd5, 0xdb, 0xe2));
    p.drawPath(corner);
}

void drawUsersReport(Icon &icon)
{
    QPainter &p = icon.painter;
    drawDocument(icon, 4, 24);
    icon.line(QColor(0x9a, 0xa6, 0xb3), icon.small() ? 2 : 1.5);
    p.drawLine(QPointF(8, 9), QPointF(15, 9));
    for (qreal y : {14.0, 18.5})
        p.drawLine(QPointF(8, y), QPointF(20, y));
    p.drawLine(QPointF(8, 23), QPointF(13, 23));
    badge(icon, QColor(0xe8, 0xf1, 0xfb), QPointF(23.5, 23.5), 8);
    p.save();
    p.translate(23.5, 23.5);
    p.scale(0.55, 0.55);
    drawPerson(icon, 0, -13, tone::blue);
    p.restore();
}

void drawDatabase(Icon &icon, const QColor &badgeColour, const std::function<void(QPainter &)> &symbol)
{
    QPainter &p = icon.painter;
    const qreal l = icon.snap(3), r = icon.snap(22);
    const qreal rx = (r - l) / 2, cx = (l + r) / 2;
    const qreal ry = 3.5;
    QPainterPath body(QPointF(l, 6));
    body.lineTo(l, 25);
    body.arcTo(QRectF(l, 25 - ry, r - l, 2 * ry), 180, 180);
    body.lineTo(r, 6);
    body.closeSubpath();
    icon.shape(tone::blue);
    p.drawPath(body);
    icon.outline(tone::blue.darker(190));
    p.setBrush(Qt::NoBrush);
    for (qreal y : {12.5, 19.0})
        p.drawArc(QRectF(l, y - ry, r - l, 2 * ry), 180 * 16, 180 * 16);
    icon.shape(tone::lightBlue);
    p.drawEllipse(QPointF(cx, 6), rx, ry);
    badge(icon, badgeColour, QPointF(23, 23), 8);
    p.save();
    p.translate(23, 23);
    symbol(p);
    p.restore();
}

void drawDatabaseUpdate(Icon &icon)
{
    const qreal width = icon.small() ? 2.6 : 2.2;
    drawDatabase(icon, tone::green, [&](QPainter &p) {
        p.setPen(QPen(Qt::white, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(0, 4.5), QPointF(0, -4));
        p.drawPolyline(QPolygonF{QPointF(-4, 0), QPointF(0, -4.5), QPointF(4, 0)});
    });
}

// The second update wears a circular arrow on orange, so the two buttons can be told apart.
void drawDatabaseUpdate2(Icon &icon)
{
    const qreal width = icon.small() ? 2.4 : 2;
    drawDatabase(icon, tone::orange, [&](QPainter &p) {
        p.setPen(QPen(Qt::white, width, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(-4.2, -4.2, 8.4, 8.4), 100 * 16, 270 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF{QPointF(-1.6, -7.4), QPointF(3.2, -4.3), QPointF(-1.6, -1.2)});
    });
}

void drawAbout(Icon &icon)
{
    QPainter &p = icon.painter;
    QRadialGradient fill(QPointF(12, 9), 22);
    fill.setColorAt(0, tone::blue.lighter(135));
    fill.setColorAt(1, tone::blue);
    icon.outline(tone::blue.darker(190));
    p.setBrush(fill);
    p.drawEllipse(QPointF(16, 16), 14.5, 14.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 9), 2.5, 2.5);
    p.drawRoundedRect(QRectF(13.8, 13, 4.4, 12.5), 1, 1);
}

void drawGlobe(Icon &icon)
{
    QPainter &p = icon.painter;
    const QPointF c(16, 16);
    const qreal r = 14.5;
    QRadialGradient sea(QPointF(11, 10), 24);
    sea.setColorAt(0, QColor(0x6c, 0xb6, 0xf0));
    sea.setColorAt(1, QColor(0x23, 0x6a, 0xbf));
    icon.outline(QColor(0x17, 0x45, 0x7e));
    p.setBrush(sea);
    p.drawEllipse(c, r, r);

    p.save();
    QPainterPath inside;
    inside.addEllipse(c, r - 0.5, r - 0.5);
    p.setClipPath(inside);
    QPainterPath americas(QPointF(5, 9));
    americas.cubicTo(8, 4, 15, 4, 16, 8);
    americas.cubicTo(16.5, 11, 13, 12, 13.5, 15);
    americas.cubicTo(17, 16, 19, 19, 17, 23);
    americas.cubicTo(16, 26, 14, 28, 13, 28);
    americas.cubicTo(12, 24, 11.5, 20, 10, 18);
    americas.cubicTo(7, 16, 4, 14, 5, 9);
    QPainterPath africa(QPointF(19.5, 8));
    africa.cubicTo(22, 6, 26, 6.5, 27.5, 9);
    africa.lineTo(25.5, 11.5);
    africa.cubicTo(28, 12.5, 29.5, 15, 29, 17);
    africa.cubicTo(27.5, 21, 25.5, 24, 24, 26);
    africa.cubicTo(23, 23, 22.5, 20, 20.5, 18.5);
    africa.cubicTo(19, 17, 19, 14, 21, 12.5);
    africa.cubicTo(19.5, 11, 19, 9.5, 19.5, 8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5c, 0xbf, 0x5a));
    p.drawPath(americas);
    p.drawPath(africa);
    if (!icon.small()) {
        QPen grid(QColor(255, 255, 255, 70), 1);
        grid.setCosmetic(true);
        p.setPen(grid);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 7, r);
        p.drawLine(QPointF(1, 16), QPointF(31, 16));
    }
    p.restore();
}

void drawCalculator(Icon &icon)
{
    QPainter &p = icon.painter;
    icon.shape(QColor(0x55, 0x60, 0x6d));
    p.drawRoundedRect(icon.box(5, 1, 27, 31), 2.5, 2.5);
    icon.shape(QColor(0xcf, 0xea, 0xc6));
    p.drawRect(icon.box(8, 4, 24, 11));
    if (!icon.small()) {
        icon.line(QColor(0x3d, 0x55, 0x3a), 1.4);
        p.drawLine(QPointF(15, 7.5), QPointF(21.5, 7.5));
    }
    p.setPen(Qt::NoPen);
    const qreal step = 5.5;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const bool equals = row == 2 && col == 2;
            p.setBrush(equals ? tone::orange : QColor(0xe6, 0xea, 0xee));
            p.drawRect(icon.box(8 + col * step, 14 + row * step, 8 + col * step + 4, 14 + row * step + 3.5));
        }
    }
}

void drawOk(Icon &icon)
{
    badge(icon, tone::green, QPointF(16, 16), 14.5);
    icon.line(Qt::white, 4);
    icon.painter.drawPolyline(QPolygonF{QPointF(9, 16.5), QPointF(14, 21.5), QPointF(23, 11)});
}

void drawCancel(Icon &icon)
{
    badge(icon, tone::red, QPointF(16, 16), 14.5);
    icon.line(Qt::white, 4);
    icon.painter.drawLine(QPointF(10.5, 10.5), QPointF(21.5, 21.5));
    icon.painter.drawLine(QPointF(21.5, 10.5), QPointF(10.5, 21.5));
}

void drawNew(Icon &icon)
{
    drawDocument(icon, 5, 25);
    badge(icon, tone::green, QPointF(23, 23), 8);
    icon.line(Qt::white, icon.small() ? 2.6 : 2.2);
    icon.painter.drawLine(QPointF(23, 18.5), QPointF(23, 27.5));
    icon.painter.drawLine(QPointF(18.5, 23), QPointF(27.5, 23));
}

void drawSave(Icon &icon)
{
    QPainter &p = icon.painter;
    const qreal l = icon.snap(3), t = icon.snap(3), r = icon.snap(29), b = icon.snap(29);
    QPainterPath disk(QPointF(l, t));
    disk.lineTo(r - 4, t);
    disk.lineTo(r, t + 4);
    disk.lineTo(r, b);
    disk.lineTo(l, b);
    disk.closeSubpath();
    icon.shape(tone::blue);
    p.drawPath(disk);
    icon.shape(QColor(0xd9, 0xde, 0xe4));
    p.drawRect(icon.box(8, 3, 23, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(tone::blue.darker(150));
    p.drawRect(icon.box(17, 5, 20, 10).adjusted(0.5 / icon.unit, 0.5 / icon.unit, 0, 0));
    icon.shape(tone::paper);
    p.drawRect(icon.box(7, 17, 25, 29));
    if (!icon.small()) {
        icon.line(QColor(0x9a, 0xa6, 0xb3), 1.2);
        for (qreal y : {21.0, 25.0})
            p.drawLine(QPointF(10, y), QPointF(22, y));
    }
}

void drawEdit(Icon &icon)
{
    QPainter &p = icon.painter;
    drawDocument(icon, 3, 22);
    icon.line(QColor(0x9a, 0xa6, 0xb3), icon.small() ? 2 : 1.5);
    for (qreal y : {10.0, 14.5, 19.0})
        p.drawLine(QPointF(7, y), QPointF(16, y));
    p.save();
    p.translate(20, 20);
    p.rotate(-45);
    // The pencil lies along the x axis, its tip at the origin's left.
    icon.shape(QColor(0xf2, 0xc1, 0x4e));
    p.drawRect(QRectF(-7, -3.2, 17, 6.4));
    icon.shape(QColor(0xe8, 0x8f, 0x9a));
    p.drawRect(QRectF(10, -3.2, 4, 6.4));
    icon.shape(QColor(0xf1, 0xd8, 0xb0));
    p.drawPolygon(QPolygonF{QPointF(-7, -3.2), QPointF(-14, 0), QPointF(-7, 3.2)});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3a, 0x3a, 0x3a));
    p.drawPolygon(QPolygonF{QPointF(-11.5, -1.1), QPointF(-14, 0), QPointF(-11.5, 1.1)});
    p.restore();
}

void drawDelete(Icon &icon)
{
    QPainter &p = icon.painter;
    const QColor metal(0x8d, 0x99, 0xa6);
    QPolygonF bin;
    bin << QPointF(icon.snap(7), icon.snap(9)) << QPointF(icon.snap(25), icon.snap(9))
        << QPointF(icon.snap(23), icon.snap(30)) << QPointF(icon.snap(9), icon.snap(30));
    icon.shape(metal);
    p.drawPolygon(bin);
    icon.line(metal.darker(150), icon.small() ? 2 : 1.5);
    for (qreal x : {12.5, 16.0, 19.5})
        p.drawLine(QPointF(x, 13), QPointF(x, 26));
    icon.shape(metal.lighter(115));
    p.drawRect(icon.box(4, 5, 28, 9));
    p.drawRect(icon.box(12, 2, 20, 5));
}

void drawPhoto(Icon &icon)
{
    QPainter &p = icon.painter;
    icon.shape(tone::paper);
    p.drawRect(icon.box(2, 5, 30, 27));
    const QRectF view = icon.box(5, 8, 27, 24);
    icon.outline(QColor(0x6d, 0x78, 0x85));
    p.setBrush(QColor(0x8f, 0xc8, 0xf4));
    p.drawRect(view);
    p.save();
    p.setClipRect(view);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf6, 0xc7, 0x3b));
    p.drawEllipse(QPointF(21.5, 12.5), 2.5, 2.5);
    p.setBrush(QColor(0x4f, 0xa8, 0x4c));
    p.drawPolygon(
        QPolygonF{QPointF(4, 25), QPointF(12, 14), QPointF(18, 20), QPointF(21, 17), QPointF(28, 25)});
    p.restore();
}

// Stacked crates on a blue tile with the maker's cloud.
QImage appIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);

    QLinearGradient tile(0, 2, 0, 62);
    tile.setColorAt(0, QColor(0x2a, 0x6c, 0xbf));
    tile.setColorAt(1, QColor(0x0c, 0x2b, 0x58));
    p.setPen(QPen(QColor(0x08, 0x1e, 0x3e), 1.2));
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(2.5, 2.5, 59, 59), 12, 12);

    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(cloudPath(QRectF(37, 6, 21, 13.5)));

    const QColor kraft(0xd8, 0x9b, 0x52);
    auto crate = [&](const QRectF &r) {
        p.setPen(QPen(QColor(0x6e, 0x45, 0x17), 1.4));
        p.setBrush(kraft);
        p.drawRect(r);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xf0, 0xd0, 0x9c));
        p.drawRect(QRectF(r.center().x() - 2.5, r.top() + 0.7, 5, r.height() * 0.42));
        p.setBrush(QColor(0xb5, 0x77, 0x32));
        p.drawRect(QRectF(r.left() + 0.7, r.top() + 0.7, r.width() - 1.4, 2));
    };
    crate(QRectF(10, 38, 21, 17));
    crate(QRectF(33, 38, 21, 17));
    crate(QRectF(21.5, 20, 21, 17));
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-assets <assets folder> <package icons folder>\n");
        return 2;
    }
    outputDir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outputDir + QStringLiteral("/icons"));

    save(splash(), QStringLiteral("splash.jpg"), 90);
    save(background(), QStringLiteral("background.jpg"), 86);
    save(about(), QStringLiteral("about.jpg"), 92);
    save(emptyPortrait(), QStringLiteral("limpa.jpg"), 90);
    save(municipalArms(), QStringLiteral("logo.jpg"), 94);

    const struct {
        const char *name;
        void (*draw)(Icon &);
    } icons[] = {{"exit", drawExit},
                 {"users", drawUsers},
                 {"reports", drawPrinter},
                 {"users-report", drawUsersReport},
                 {"dbupdate", drawDatabaseUpdate},
                 {"dbupdate2", drawDatabaseUpdate2},
                 {"about", drawAbout},
                 {"online", drawGlobe},
                 {"calculator", drawCalculator},
                 {"ok", drawOk},
                 {"cancel", drawCancel},
                 {"new", drawNew},
                 {"save", drawSave},
                 {"edit", drawEdit},
                 {"delete", drawDelete},
                 {"photo", drawPhoto}};
    for (const auto &entry : icons) {
        for (int size : {16, 32}) {
            Icon icon(size);
            entry.draw(icon);
            save(icon.finish(), QStringLiteral("icons/%1-%2.png").arg(QLatin1String(entry.name)).arg(size));
        }
    }
    for (int size : {16, 32, 64})
        save(appIcon(size), QStringLiteral("icons/app-%1.png").arg(size));

    // The hicolor theme's usual sizes, for the menu entry of the installed program.
    outputDir = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(outputDir);
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        save(appIcon(size), QStringLiteral("estocarium-%1.png").arg(size));
    return allSaved ? 0 : 1;
}

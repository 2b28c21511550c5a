// rv1x-draw-pictures: paints the bitmap resources of the deliverables and
// writes them as PNG files into resources/<library>/pictures/, under the file
// names the resource loader looks for. Run by hand after changing a picture;
// the PNG files are committed and compiled into the libraries.
//
//   rv1x-draw-pictures [RESOURCES_DIR] [--sheet FILE]
//
// --sheet also writes every picture, enlarged, onto one contact sheet for
// review.

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <vector>

#include "ui/Resources.h"

namespace {

// ---------------------------------------------------------------- colours

const QColor kWhite(0xff, 0xff, 0xff);
const QColor kInk(0x1f, 0x2d, 0x3d);
const QColor kSteel(0x4a, 0x5a, 0x6a);
const QColor kCase(0xdf, 0xe6, 0xee);
const QColor kScreen(0x17, 0x3a, 0x2a);
const QColor kTrace(0x4c, 0xd9, 0x64);
const QColor kEcg(0x1e, 0x8c, 0x45);
const QColor kBlue(0x2f, 0x6f, 0xb5);
const QColor kDarkBlue(0x1f, 0x4f, 0x85);
const QColor kOrange(0xf3, 0x9c, 0x12);
const QColor kLightOrange(0xff, 0xdc, 0xa8);
const QColor kYellow(0xff, 0xcc, 0x33);
const QColor kAmber(0x9a, 0x62, 0x00);
const QColor kHeart(0xd7, 0x26, 0x3d);
const QColor kDarkHeart(0x8e, 0x14, 0x26);
const QColor kGrey(0x8a, 0x96, 0xa3);
const QColor kPaleBlue(0xd6, 0xe6, 0xf5);
const QColor kGrid(0xf4, 0xd4, 0xd4);
// The corner colour of the guide's tab pictures: the tab pane masks it out.
const QColor kTabMask(0xff, 0x00, 0x00);

QPen line(const QColor& colour, qreal width) {
  QPen pen(colour, width);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

QPen dashed(const QColor& colour, qreal width, qreal dash, qreal gap) {
  QPen pen(colour, width);
  pen.setCapStyle(Qt::FlatCap);
  pen.setDashPattern({dash / width, gap / width});
  return pen;
}

void strokePath(QPainter& p, const QPainterPath& path, const QPen& pen) {
  p.save();
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  p.restore();
}

// -------------------------------------------------------------- waveforms
// Each appends to a path whose current point is on the baseline at x0; y
// grows downwards, so "up" on the trace is minus.

void appendBeat(QPainterPath& path, qreal x0, qreal width, qreal base, qreal amp) {
  auto x = [&](qreal f) { return x0 + f * width; };
  path.lineTo(x(0.08), base);
  path.quadTo(x(0.17), base - 0.34 * amp, x(0.26), base);  // P
  path.lineTo(x(0.36), base);
  path.lineTo(x(0.41), base + 0.14 * amp);  // Q
  path.lineTo(x(0.48), base - amp);         // R
  path.lineTo(x(0.55), base + 0.32 * amp);  // S
  path.lineTo(x(0.60), base);
  path.lineTo(x(0.66), base);
  path.quadTo(x(0.78), base - 0.56 * amp, x(0.90), base);  // T
  path.lineTo(x(1.0), base);
}

void appendQrs(QPainterPath& path, qreal centre, qreal halfWidth, qreal base, qreal amp) {
  path.lineTo(centre - halfWidth, base);
  path.lineTo(centre - 0.45 * halfWidth, base + 0.15 * amp);
  path.lineTo(centre, base - amp);
  path.lineTo(centre + 0.5 * halfWidth, base + 0.3 * amp);
  path.lineTo(centre + halfWidth, base);
}

// A pacemaker pulse: a narrow rectangle and the small recharge undershoot.
void appendSpike(QPainterPath& path, qreal x, qreal pulseWidth, qreal base, qreal amp) {
  path.lineTo(x, base);
  path.lineTo(x, base - amp);
  path.lineTo(x + pulseWidth, base - amp);
  path.lineTo(x + pulseWidth, base + 0.14 * amp);
  path.quadTo(x + pulseWidth + 0.6, base, x + pulseWidth + 2.2, base);
}

void appendFunction(QPainterPath& path, qreal x0, qreal width, qreal base, qreal amp,
                    const std::function<qreal(qreal)>& f, int samples = 32) {
  for (int i = 0; i <= samples; ++i) {
    const qreal t = qreal(i) / samples;
    path.lineTo(x0 + t * width, base - amp * f(t));
  }
}

// A defibrillator's discharge: a damped half sine with a small undershoot.
qreal dischargePulse(qreal t) {
  constexpr qreal pi = std::numbers::pi;
  if (t < 0.55) return std::sin(pi * t / 0.55) * (1.0 - 0.35 * t);
  return -0.22 * std::sin(pi * (t - 0.55) / 0.45);
}

qreal chargeCurve(qreal t) {
  return 1.0 - std::exp(-3.6 * t);
}

qreal fibrillation(qreal t) {
  constexpr qreal tau = 2 * std::numbers::pi;
  return 0.55 * std::sin(tau * 3.1 * t) + 0.3 * std::sin(tau * 5.3 * t + 1.1) +
         0.12 * std::sin(tau * 8.7 * t + 0.4);
}

// ---------------------------------------------------------------- symbols

void drawClock(QPainter& p, QPointF c, qreal r) {
  p.save();
  const QRectF face(c.x() - r, c.y() - r, 2 * r, 2 * r);
  p.setPen(Qt::NoPen);
  p.setBrush(kWhite);
  p.drawEllipse(face);
  // The time run so far, from twelve round to four o'clock.
  p.setBrush(kLightOrange);
  p.drawPie(face.adjusted(r * 0.2, r * 0.2, -r * 0.2, -r * 0.2), 90 * 16, -120 * 16);
  p.setBrush(Qt::NoBrush);
  p.setPen(line(kBlue, std::max(1.2, r * 0.22)));
  p.drawEllipse(face);
  const qreal hand = std::max(1.0, r * 0.16);
  p.setPen(line(kInk, hand));
  p.drawLine(c, QPointF(c.x(), c.y() - r * 0.72));
  const qreal a = 120.0 * std::numbers::pi / 180.0;  // four o'clock
  p.drawLine(c, QPointF(c.x() + r * 0.55 * std::sin(a), c.y() - r * 0.55 * std::cos(a)));
  p.restore();
}

void drawBolt(QPainter& p, const QRectF& box, const QColor& fill = kYellow,
              const QColor& outline = kAmber) {
  const QPointF shape[] = {{0.60, 0.02}, {0.16, 0.58}, {0.45, 0.58}, {0.32, 0.98},
                           {0.84, 0.38}, {0.55, 0.38}, {0.74, 0.02}};
  QPolygonF bolt;
  for (const QPointF& s : shape)
    bolt << QPointF(box.left() + s.x() * box.width(), box.top() + s.y() * box.height());
  p.save();
  if (outline.alpha() == 0)
    p.setPen(Qt::NoPen);
  else
    p.setPen(line(outline, std::max(0.9, box.width() * 0.07)));
  p.setBrush(fill);
  p.drawPolygon(bolt);
  p.restore();
}

QPainterPath heartPath(const QRectF& b) {
  auto pt = [&](qreal x, qreal y) {
    return QPointF(b.left() + x * b.width(), b.top() + y * b.height());
  };
  QPainterPath path(pt(0.5, 0.26));
  path.cubicTo(pt(0.5, 0.02), pt(0.0, 0.0), pt(0.0, 0.34));
  path.cubicTo(pt(0.0, 0.60), pt(0.30, 0.76), pt(0.5, 0.98));
  path.cubicTo(pt(0.70, 0.76), pt(1.0, 0.60), pt(1.0, 0.34));
  path.cubicTo(pt(1.0, 0.0), pt(0.5, 0.02), pt(0.5, 0.26));
  return path;
}

void drawHeart(QPainter& p, const QRectF& b) {
  p.save();
  p.setPen(line(kDarkHeart, std::max(0.9, b.width() * 0.06)));
  p.setBrush(kHeart);
  p.drawPath(heartPath(b));
  p.restore();
}

// A small analyzer: case, screen with a trace, range knob; jacks when there
// is room for them. classic draws it flat in the old sixteen-colour style.
void drawAnalyzer(QPainter& p, const QRectF& body, bool classic) {
  const qreal w = body.width(), h = body.height();
  auto at = [&](qreal x, qreal y) { return QPointF(body.left() + x * w, body.top() + y * h); };
  p.save();
  p.setPen(line(classic ? Qt::black : kSteel, 1.0));
  p.setBrush(classic ? QColor(0xc0, 0xc0, 0xc0) : kCase);
  if (classic)
    p.drawRect(body);
  else
    p.drawRoundedRect(body, w * 0.1, w * 0.1);

  const QRectF screen(at(0.12, 0.2), at(0.6, 0.7));
  p.setPen(classic ? QPen(Qt::black, 1.0) : Qt::NoPen);
  p.setBrush(classic ? QColor(0x00, 0x80, 0x80) : kScreen);
  p.drawRect(screen);
  QPainterPath trace(QPointF(screen.left() + 1, screen.center().y() + screen.height() * 0.1));
  appendBeat(trace, screen.left() + 1, screen.width() - 2, trace.currentPosition().y(),
             screen.height() * 0.55);
  strokePath(p, trace,
             classic ? QPen(QColor(0x00, 0xff, 0x00), 1.0) : line(kTrace, std::max(1.0, h * 0.06)));

  const QPointF knob = at(0.8, 0.4);
  const qreal r = w * 0.1;
  p.setPen(classic ? QPen(Qt::black, 1.0) : Qt::NoPen);
  p.setBrush(classic ? QColor(0x00, 0x00, 0x80) : kBlue);
  p.drawEllipse(knob, r, r);
  if (w >= 24) {
    p.setPen(line(kWhite, 1.2));
    p.drawLine(knob, knob + QPointF(-r * 0.6, -r * 0.6));
    const qreal jack = w * 0.05;
    p.setPen(classic ? QPen(Qt::black, 1.0) : line(kInk, 0.8));
    p.setBrush(classic ? QColor(0x80, 0x00, 0x00) : QColor(0xc0, 0x39, 0x2b));
    p.drawEllipse(at(0.72, 0.8), jack, jack);
    p.setBrush(classic ? Qt::black : QColor(0x22, 0x22, 0x22));
    p.drawEllipse(at(0.88, 0.8), jack, jack);
  }
  p.restore();
}

// --------------------------------------------------- test icons (plug-in)
// Square icons are 16 x 16; the wide ones (32 x 16) carry the same symbol on
// the left and a trace that tells the test's story on the right.

bool isWide(QSizeF s) {
  return s.width() > s.height();
}

void paintChargeTime(QPainter& p, QSizeF s) {
  drawClock(p, {8, 8}, 6.6);
  if (!isWide(s)) return;
  p.setPen(dashed(kGrey, 1.0, 1.5, 1.5));
  p.drawLine(QPointF(17, 2.5), QPointF(31, 2.5));
  QPainterPath curve(QPointF(17.5, 13.5));
  appendFunction(curve, 17.5, 13.5, 13.5, 11, chargeCurve);
  strokePath(p, curve, line(kOrange, 1.6));
}

void paintDischarge(QPainter& p, QSizeF s) {
  drawBolt(p, QRectF(2, 0.5, 12, 15));
  if (!isWide(s)) return;
  p.setPen(line(kGrey, 0.8));
  p.drawLine(QPointF(17, 10.5), QPointF(31, 10.5));
  QPainterPath pulse(QPointF(17.5, 10.5));
  appendFunction(pulse, 17.5, 13.5, 10.5, 9, dischargePulse);
  strokePath(p, pulse, line(kBlue, 1.6));
}

void paintSensitivity(QPainter& p, QSizeF s) {
  // Beats of falling height against the detection threshold.
  const qreal threshold = 6.5;
  p.setPen(dashed(kOrange, 1.0, 2.0, 1.5));
  p.drawLine(QPointF(0.5, threshold), QPointF(s.width() - 0.5, threshold));
  QPainterPath trace(QPointF(0.5, 12.5));
  if (isWide(s)) {
    appendQrs(trace, 6, 3, 12.5, 10.5);
    appendQrs(trace, 15.5, 3, 12.5, 7.5);
    appendQrs(trace, 25, 3, 12.5, 4.5);
  } else {
    appendQrs(trace, 8, 3.5, 12.5, 10);
  }
  trace.lineTo(s.width() - 0.5, 12.5);
  strokePath(p, trace, line(kEcg, 1.5));
}

void paintRefractory(QPainter& p, QSizeF s) {
  // A beat, then the test pulse; the shaded span between them is the time
  // the pacer must stay silent.
  const bool wide = isWide(s);
  const qreal beat = wide ? 5 : 3.5, pulse = wide ? 25 : 12;
  p.fillRect(QRectF(beat, 1, pulse - beat, 10.5), kPaleBlue);
  QPainterPath trace(QPointF(0.5, 10.5));
  appendQrs(trace, beat, wide ? 3 : 2.5, 10.5, 9);
  appendSpike(trace, pulse, 1.2, 10.5, 8.5);
  trace.lineTo(s.width() - 0.5, 10.5);
  strokePath(p, trace, line(kEcg, 1.4));
  // The span, as a double arrow underneath.
  const qreal y = 13.5;
  p.setPen(line(kInk, 1.0));
  p.drawLine(QPointF(beat + 0.5, y), QPointF(pulse - 0.5, y));
  QPolygonF left{{beat, y}, {beat + 2.5, y - 2}, {beat + 2.5, y + 2}};
  QPolygonF right{{pulse, y}, {pulse - 2.5, y - 2}, {pulse - 2.5, y + 2}};
  p.setBrush(kInk);
  p.setPen(Qt::NoPen);
  p.drawPolygon(left);
  p.drawPolygon(right);
}

void paintPacerAccuracy(QPainter& p, QSizeF s) {
  // Pacer pulses, each reaching the expected amplitude.
  p.setPen(dashed(kOrange, 1.0, 1.5, 1.5));
  p.drawLine(QPointF(0.5, 2.5), QPointF(s.width() - 0.5, 2.5));
  QPainterPath trace(QPointF(0.5, 12.5));
  const std::vector<qreal> spikes =
      isWide(s) ? std::vector<qreal>{3.5, 11.5, 19.5, 27.5} : std::vector<qreal>{3.5, 10.5};
  for (qreal x : spikes) appendSpike(trace, x, 1.0, 12.5, 10);
  trace.lineTo(s.width() - 0.5, 12.5);
  strokePath(p, trace, line(kBlue, 1.0));
}

void paintPerformance(QPainter& p, QSizeF s) {
  // An ECG on recording paper.
  p.setPen(QPen(kGrid, 1.0));
  for (qreal x = 3.5; x < s.width(); x += 4) p.drawLine(QPointF(x, 0), QPointF(x, s.height()));
  for (qreal y = 3.5; y < s.height(); y += 4) p.drawLine(QPointF(0, y), QPointF(s.width(), y));
  QPainterPath trace(QPointF(0, 10.5));
  if (isWide(s)) {
    appendBeat(trace, 0, 16, 10.5, 9);
    appendBeat(trace, 16, 16, 10.5, 9);
  } else {
    appendBeat(trace, 0, 16, 10.5, 9);
  }
  strokePath(p, trace, line(kEcg, 1.4));
}

void paintShockAdvisory(QPainter& p, QSizeF s) {
  drawHeart(p, QRectF(0.8, 1.2, 14.4, 13.8));
  drawBolt(p, QRectF(4, 2.5, 8.5, 11.5), kWhite, Qt::transparent);
  if (!isWide(s)) return;
  QPainterPath trace(QPointF(17, 8.5));
  appendFunction(trace, 17, 14.5, 8.5, 5.5, fibrillation, 48);
  strokePath(p, trace, line(kEcg, 1.3));
}

// ----------------------------------------------------- plug-in pictures

void paintPlugIn(QPainter& p, QSizeF s) {
  if (s.width() <= 16)
    drawAnalyzer(p, QRectF(0.5, 2.5, 15, 11), false);
  else
    drawAnalyzer(p, QRectF(1.5, 5.5, 29, 21), false);
}

void paintPlugInClassic(QPainter& p, QSizeF s) {
  p.setRenderHint(QPainter::Antialiasing, false);
  if (s.width() <= 16)
    drawAnalyzer(p, QRectF(0, 2, 15, 11), true);
  else
    drawAnalyzer(p, QRectF(1, 5, 29, 21), true);
}

// ------------------------------------------- instruction pictures (48 x 48)

void paintInstructionRange(QPainter& p, QSizeF) {
  // The analyzer's front: turn the range switch.
  p.setPen(line(kSteel, 2));
  p.setBrush(kCase);
  p.drawRoundedRect(QRectF(3, 10, 42, 30), 4, 4);

  const QRectF screen(7.5, 14.5, 18, 13);
  p.setPen(Qt::NoPen);
  p.setBrush(kScreen);
  p.drawRoundedRect(screen, 1.5, 1.5);
  QPainterPath trace(QPointF(8.5, 23));
  appendBeat(trace, 8.5, 16, 23, 6.5);
  strokePath(p, trace, line(kTrace, 1.3));

  const QPointF knob(35, 22.5);
  const auto onCircle = [&](qreal degrees, qreal radius) {
    const qreal a = degrees * std::numbers::pi / 180.0;
    return knob + QPointF(radius * std::sin(a), -radius * std::cos(a));
  };
  p.setPen(line(kInk, 1.2));
  for (qreal a : {-90.0, -45.0, 0.0, 45.0, 90.0}) p.drawLine(onCircle(a, 7.2), onCircle(a, 8.8));
  p.setPen(line(kDarkBlue, 1.2));
  p.setBrush(kBlue);
  p.drawEllipse(knob, 5.8, 5.8);
  p.setPen(line(kWhite, 2));
  p.drawLine(knob, onCircle(-45, 4.3));

  // Which way to turn it.
  QPainterPath arrow;
  arrow.arcMoveTo(QRectF(knob.x() - 11.5, knob.y() - 11.5, 23, 23), 150);
  arrow.arcTo(QRectF(knob.x() - 11.5, knob.y() - 11.5, 23, 23), 150, -105);
  strokePath(p, arrow, line(kOrange, 2.2));
  const QPointF tip = arrow.currentPosition();
  p.setPen(Qt::NoPen);
  p.setBrush(kOrange);
  p.drawPolygon(
      QPolygonF{tip + QPointF(2.8, 2.2), tip + QPointF(-3.4, 1.4), tip + QPointF(1.6, -3.6)});

  // Jacks and ECG snaps along the bottom.
  p.setPen(line(kInk, 1));
  p.setBrush(QColor(0xc0, 0x39, 0x2b));
  p.drawEllipse(QPointF(10.5, 34.5), 2.2, 2.2);
  p.setBrush(QColor(0x22, 0x22, 0x22));
  p.drawEllipse(QPointF(17, 34.5), 2.2, 2.2);
  p.setBrush(QColor(0xb8, 0xc2, 0xcc));
  for (qreal x : {26.0, 31.5, 37.0}) p.drawEllipse(QPointF(x, 34.5), 1.8, 1.8);
}

void paintInstructionShock(QPainter& p, QSizeF) {
  // Defibrillator paddles on the analyzer's energy plates.
  p.setPen(line(kSteel, 2));
  p.setBrush(kCase);
  p.drawRoundedRect(QRectF(3, 30, 42, 15), 3, 3);
  p.setPen(line(QColor(0x5d, 0x6b, 0x78), 1.2));
  p.setBrush(QColor(0xb8, 0xc2, 0xcc));
  p.drawEllipse(QPointF(15, 38.5), 5.5, 4);
  p.drawEllipse(QPointF(33, 38.5), 5.5, 4);

  for (qreal x : {9.0, 27.0}) {
    p.setPen(line(QColor(0x2b, 0x33, 0x3b), 1.2));
    p.setBrush(QColor(0x55, 0x61, 0x6d));
    p.drawRoundedRect(QRectF(x + 3, 6, 6, 24), 2.5, 2.5);  // handle
    p.setBrush(QColor(0x3d, 0x48, 0x52));
    p.drawRoundedRect(QRectF(x, 28, 12, 6), 2, 2);  // electrode
    p.setPen(Qt::NoPen);
    p.setBrush(kOrange);
    p.drawRoundedRect(QRectF(x + 4.5, 9, 3, 3.5), 1, 1);  // shock button
  }
  drawBolt(p, QRectF(18.5, 4, 11, 22));
}

void paintInstructionWait(QPainter& p, QSizeF) {
  // An hourglass.
  QPainterPath glass(QPointF(14, 8));
  glass.lineTo(34, 8);
  glass.cubicTo(34, 18, 26, 20, 26, 24);
  glass.cubicTo(26, 28, 34, 30, 34, 40);
  glass.lineTo(14, 40);
  glass.cubicTo(14, 30, 22, 28, 22, 24);
  glass.cubicTo(22, 20, 14, 18, 14, 8);
  p.fillPath(glass, QColor(0xea, 0xf3, 0xfb));

  const QColor sand(0xe3, 0xa6, 0x3b);
  p.save();
  p.setClipPath(glass);
  p.fillRect(QRectF(12, 15.5, 24, 9), sand);
  QPainterPath pile(QPointF(13, 40.5));
  pile.quadTo(24, 28, 35, 40.5);
  p.fillPath(pile, sand);
  p.setPen(QPen(sand, 1.2));
  p.drawLine(QPointF(24, 24), QPointF(24, 36));
  p.restore();
  strokePath(p, glass, line(kSteel, 1.4));

  const QColor wood(0x8d, 0x5a, 0x2b);
  p.setPen(line(wood, 1.6));
  p.drawLine(QPointF(12.5, 8), QPointF(12.5, 40));
  p.drawLine(QPointF(35.5, 8), QPointF(35.5, 40));
  p.setPen(Qt::NoPen);
  p.setBrush(wood);
  p.drawRoundedRect(QRectF(10, 4, 28, 4.5), 1.5, 1.5);
  p.drawRoundedRect(QRectF(10, 39.5, 28, 4.5), 1.5, 1.5);
}

// ------------------------------------------------- check marks (16 x 16)

void paintCheckBox(QPainter& p, bool ticked) {
  p.setPen(QPen(QColor(0x6b, 0x7b, 0x8c), 1.0));
  p.setBrush(kWhite);
  p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2, 2);
  if (!ticked) return;
  QPainterPath tick(QPointF(4.2, 8.4));
  tick.lineTo(6.9, 11.1);
  tick.lineTo(11.9, 4.9);
  strokePath(p, tick, line(kInk, 2.2));
}

// ---------------------------------------------- guide tabs (32 x 34, 24-bit)
// A rounded tile on the mask colour; the tile's edge is drawn without
// smoothing so that no pixel between tile and corner is a blend with red.
// The second picture of a tab is its highlighted form.

void tabTile(QPainter& p, QSizeF s, bool highlighted) {
  p.fillRect(QRectF(QPointF(0, 0), s), kTabMask);
  const QRectF tile(0, 0, s.width() - 1, s.height() - 1);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(highlighted ? QColor(0xc8, 0x96, 0x2e) : QColor(0x8a, 0x9b, 0xb0));
  p.setBrush(highlighted ? QColor(0xff, 0xf2, 0xcc) : QColor(0xee, 0xf2, 0xf7));
  p.drawRoundedRect(tile, 5, 5);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setClipRect(tile.adjusted(1, 1, 0, 0));
}

void paintTabIdentity(QPainter& p, QSizeF s, bool highlighted) {
  tabTile(p, s, highlighted);
  drawAnalyzer(p, QRectF(5.5, 5.5, 21, 14), false);
  // Serial number and firmware, as lines of text.
  QPen text(kSteel, 2.0);
  text.setCapStyle(Qt::FlatCap);
  p.setPen(text);
  p.drawLine(QPointF(6, 24), QPointF(26, 24));
  p.drawLine(QPointF(6, 28), QPointF(20, 28));
}

void paintTabGraph(QPainter& p, QSizeF s, bool highlighted) {
  tabTile(p, s, highlighted);
  p.setPen(QPen(QColor(0xc9, 0xd3, 0xde), 1.0));
  for (qreal x : {12.5, 18.5, 24.5}) p.drawLine(QPointF(x, 5), QPointF(x, 27.5));
  for (qreal y : {9.5, 15.5, 21.5}) p.drawLine(QPointF(6.5, y), QPointF(27.5, y));
  QPainterPath pulse(QPointF(7, 22.5));
  appendFunction(pulse, 7, 20, 22.5, 15, dischargePulse);
  strokePath(p, pulse, line(kBlue, 1.8));
  QPen axis(kInk, 2.0);
  axis.setCapStyle(Qt::SquareCap);
  p.setPen(axis);
  p.drawLine(QPointF(6, 5), QPointF(6, 28));
  p.drawLine(QPointF(6, 28), QPointF(28, 28));
}

// ------------------------------------- step-list toolbar (20 x 20, 24-bit)
// Four buttons (add, up, down, delete) in three looks each: as normal, as a
// disabled button and under the mouse. The ground is silver, the colour the
// toolbar's image lists leave out; the glyph is drawn smooth and then laid
// on the ground without blending, so that no edge pixel is a mix of glyph
// and silver that would show as a fringe.

const QColor kSilver(0xc0, 0xc0, 0xc0);

enum class ButtonLook { Normal, Disabled, Hot };

struct GlyphColours {
  QColor fill;
  QColor edge;
};

GlyphColours glyphColours(const QColor& fill, const QColor& edge, ButtonLook look) {
  switch (look) {
    case ButtonLook::Disabled:
      return {QColor(0xa4, 0xac, 0xb4), QColor(0x7c, 0x86, 0x90)};
    case ButtonLook::Hot:
      return {fill.lighter(125), edge};
    case ButtonLook::Normal:
      break;
  }
  return {fill, edge};
}

void layOnSilver(QPainter& p, QSizeF s, const std::function<void(QPainter&)>& glyph) {
  QImage drawn(s.toSize(), QImage::Format_ARGB32);
  drawn.fill(Qt::transparent);
  {
    QPainter g(&drawn);
    g.setRenderHint(QPainter::Antialiasing, true);
    glyph(g);
  }
  QImage laid(drawn.size(), QImage::Format_RGB32);
  for (int y = 0; y < drawn.height(); ++y) {
    for (int x = 0; x < drawn.width(); ++x) {
      const QColor c = QColor::fromRgba(drawn.pixel(x, y));
      if (c.alpha() < 110) {
        laid.setPixelColor(x, y, kSilver);
        continue;
      }
      // Partly covered pixels take the glyph's own colour at full strength.
      QColor solid = c;
      solid.setAlpha(255);
      if (solid == kSilver) solid = solid.darker(102);
      laid.setPixelColor(x, y, solid);
    }
  }
  p.drawImage(0, 0, laid);
}

void paintAddStep(QPainter& p, QSizeF s, ButtonLook look) {
  const GlyphColours c = glyphColours(kEcg, QColor(0x12, 0x5a, 0x2b), look);
  layOnSilver(p, s, [&](QPainter& g) {
    QPainterPath plus;
    plus.addRoundedRect(QRectF(7.5, 2.5, 5, 15), 1, 1);
    plus.addRoundedRect(QRectF(2.5, 7.5, 15, 5), 1, 1);
    plus.setFillRule(Qt::WindingFill);
    g.setPen(QPen(c.edge, 1.2));
    g.setBrush(c.fill);
    g.drawPath(plus.simplified());
  });
}

void paintMoveStep(QPainter& p, QSizeF s, ButtonLook look, bool up) {
  const GlyphColours c = glyphColours(kBlue, kDarkBlue, look);
  layOnSilver(p, s, [&](QPainter& g) {
    QPainterPath arrow(QPointF(10, 2.5));
    arrow.lineTo(17.5, 10);
    arrow.lineTo(12.8, 10);
    arrow.lineTo(12.8, 17.5);
    arrow.lineTo(7.2, 17.5);
    arrow.lineTo(7.2, 10);
    arrow.lineTo(2.5, 10);
    arrow.closeSubpath();
    if (!up) arrow = QTransform(1, 0, 0, -1, 0, 20).map(arrow);
    g.setPen(QPen(c.edge, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    g.setBrush(c.fill);
    g.drawPath(arrow);
  });
}

void paintDeleteStep(QPainter& p, QSizeF s, ButtonLook look) {
  const GlyphColours c = glyphColours(kHeart, kDarkHeart, look);
  layOnSilver(p, s, [&](QPainter& g) {
    QPainterPath cross;
    const QRectF bar(-1.9, -7.5, 3.8, 15);
    for (qreal angle : {45.0, -45.0}) {
      QPainterPath one;
      one.addRoundedRect(bar, 1, 1);
      cross.addPath(QTransform().translate(10, 10).rotate(angle).map(one));
    }
    cross.setFillRule(Qt::WindingFill);
    g.setPen(QPen(c.edge, 1.2));
    g.setBrush(c.fill);
    g.drawPath(cross.simplified());
  });
}

// ------------------------------------------------------------ the table

enum class Depth {
  Palette8,  // 8 bits per pixel, a 256-entry palette
  Rgb24,     // 24 bits per pixel, no palette, no transparency
  Argb32,    // with transparency
};

struct Picture {
  QString library;
  QString name;  // as stored: upper case
  QSize size;
  Depth depth;
  std::function<void(QPainter&, QSizeF)> paint;
};

std::vector<Picture> pictures() {
  const QString plugIn = QStringLiteral("orvanRV1X");
  const QString tests = QStringLiteral("orvanRV1Xtst");
  std::vector<Picture> list = {
      {plugIn, "RV1X(16X16X256)", {16, 16}, Depth::Rgb24, paintPlugIn},
      {plugIn, "RV1X(32X32X256)", {32, 32}, Depth::Rgb24, paintPlugIn},
      {plugIn, "RV1X(16X16X256)_OLD", {16, 16}, Depth::Palette8, paintPlugInClassic},
      {plugIn, "RV1X(32X32X256)_OLD", {32, 32}, Depth::Palette8, paintPlugInClassic},
  };
  const struct {
    const char* code;
    void (*paint)(QPainter&, QSizeF);
  } testIcons[] = {{"CH", paintChargeTime},   {"DC", paintDischarge},     {"ST", paintSensitivity},
                   {"RT", paintRefractory},   {"AT", paintPacerAccuracy}, {"PT", paintPerformance},
                   {"AA", paintShockAdvisory}};
  for (const auto& icon : testIcons) {
    for (const QSize size : {QSize(16, 16), QSize(32, 16)}) {
      const QString name = QStringLiteral("TE:%1(%2X%3X256)")
                               .arg(QLatin1String(icon.code))
                               .arg(size.width())
                               .arg(size.height());
      list.push_back({plugIn, name, size, Depth::Palette8, icon.paint});
    }
  }
  const auto tab = [](void (*paint)(QPainter&, QSizeF, bool), bool highlighted) {
    return [paint, highlighted](QPainter& p, QSizeF s) { paint(p, s, highlighted); };
  };
  const auto checkBox = [](bool ticked) {
    return [ticked](QPainter& p, QSizeF) { paintCheckBox(p, ticked); };
  };
  const struct {
    const char* name;
    std::function<void(QPainter&, QSizeF, ButtonLook)> paint;
  } stepButtons[] = {
      {"PLUSS", paintAddStep},
      {"UP", [](QPainter& p, QSizeF s, ButtonLook look) { paintMoveStep(p, s, look, true); }},
      {"DOWN", [](QPainter& p, QSizeF s, ButtonLook look) { paintMoveStep(p, s, look, false); }},
      {"DEL", paintDeleteStep},
  };
  const struct {
    const char* suffix;
    ButtonLook look;
  } looks[] = {
      {"", ButtonLook::Normal}, {"_DISABLED", ButtonLook::Disabled}, {"_HOT", ButtonLook::Hot}};
  for (const auto& button : stepButtons) {
    for (const auto& look : looks) {
      const auto paint = button.paint;
      const ButtonLook shown = look.look;
      list.push_back(
          {tests,
           QStringLiteral("TBR:%1%2").arg(QLatin1String(button.name), QLatin1String(look.suffix)),
           {20, 20},
           Depth::Rgb24,
           [paint, shown](QPainter& p, QSizeF s) { paint(p, s, shown); }});
    }
  }
  list.insert(list.end(),
              {
                  {tests, "TI:RV1X", {48, 48}, Depth::Rgb24, paintInstructionRange},
                  {tests, "TI:SHOCK", {48, 48}, Depth::Rgb24, paintInstructionShock},
                  {tests, "TI:WAIT", {48, 48}, Depth::Rgb24, paintInstructionWait},
                  {tests, "CHK:CHECK", {16, 16}, Depth::Argb32, checkBox(true)},
                  {tests, "CHK:UNCHECK", {16, 16}, Depth::Argb32, checkBox(false)},
                  {tests, "TAB_MTIDATA_1", {32, 34}, Depth::Rgb24, tab(paintTabIdentity, false)},
                  {tests, "TAB_MTIDATA_2", {32, 34}, Depth::Rgb24, tab(paintTabIdentity, true)},
                  {tests, "TAB_GRAPH_1", {32, 34}, Depth::Rgb24, tab(paintTabGraph, false)},
                  {tests, "TAB_GRAPH_2", {32, 34}, Depth::Rgb24, tab(paintTabGraph, true)},
              });
  return list;
}

// ------------------------------------------------------------- encoding

// An exact palette of the picture's colours, padded to 256 entries; a
// picture with more colours than that is dithered onto Qt's own palette.
QImage toPalette8(const QImage& painted) {
  const QImage rgb = painted.convertToFormat(QImage::Format_RGB32);
  QList<QRgb> table;
  QHash<QRgb, int> index;
  for (int y = 0; y < rgb.height(); ++y) {
    for (int x = 0; x < rgb.width(); ++x) {
      const QRgb c = rgb.pixel(x, y);
      if (!index.contains(c)) {
        index.insert(c, int(table.size()));
        table.append(c);
      }
    }
  }
  QImage out;
  if (table.size() <= 256) {
    out = QImage(rgb.size(), QImage::Format_Indexed8);
    while (table.size() < 256) table.append(qRgb(0, 0, 0));
    out.setColorTable(table);
    for (int y = 0; y < rgb.height(); ++y)
      for (int x = 0; x < rgb.width(); ++x) out.setPixel(x, y, uint(index.value(rgb.pixel(x, y))));
  } else {
    std::fprintf(stderr, "note: %lld colours, dithered\n", static_cast<long long>(table.size()));
    out = rgb.convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither);
    QList<QRgb> padded = out.colorTable();
    while (padded.size() < 256) padded.append(qRgb(0, 0, 0));
    out.setColorTable(padded);
  }
  return out;
}

QImage render(const Picture& picture) {
  QImage image(picture.size, QImage::Format_ARGB32);
  image.fill(picture.depth == Depth::Argb32 ? QColor(Qt::transparent) : kWhite);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    picture.paint(p, QSizeF(picture.size));
  }
  switch (picture.depth) {
    case Depth::Palette8:
      return toPalette8(image);
    case Depth::Rgb24:
      return image.convertToFormat(QImage::Format_RGB888);
    case Depth::Argb32:
      break;
  }
  return image;
}

// Every picture enlarged without smoothing, at its true size beside it, on
// a light and on a dark ground, with its name underneath.
QImage contactSheet(const std::vector<std::pair<Picture, QImage>>& drawn) {
  constexpr int zoom = 5, cellW = 250, cellH = 250, columns = 6;
  const int rows = int((drawn.size() + columns - 1) / columns);
  QImage sheet(columns * cellW, rows * cellH, QImage::Format_RGB32);
  sheet.fill(QColor(0xf0, 0xf0, 0xf0));
  QPainter p(&sheet);
  for (size_t i = 0; i < drawn.size(); ++i) {
    const auto& [picture, image] = drawn[i];
    const QPoint origin(int(i % columns) * cellW + 8, int(i / columns) * cellH + 8);
    const QSize big = image.size() * zoom;
    p.fillRect(QRect(origin, big), QColor(0x80, 0x80, 0x80));
    p.drawImage(QRect(origin, big), image);
    const QPoint small = origin + QPoint(0, big.height() + 6);
    p.drawImage(small, image);
    p.fillRect(QRect(small + QPoint(image.width() + 6, 0), image.size()), QColor(0x30, 0x30, 0x30));
    p.drawImage(small + QPoint(image.width() + 6, 0), image);
    p.setPen(Qt::black);
    p.drawText(QPoint(origin.x(), origin.y() + cellH - 20),
               picture.library + QStringLiteral(": ") + picture.name);
  }
  return sheet;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Paints the deliverables' bitmap resources into RESOURCES_DIR/<library>/pictures/."));
  parser.addHelpOption();
  parser.addPositionalArgument(QStringLiteral("RESOURCES_DIR"),
                               QStringLiteral("the resources folder (default: the source tree's)"));
  const QCommandLineOption sheetOption(QStringLiteral("sheet"),
                                       QStringLiteral("also write a contact sheet to FILE"),
                                       QStringLiteral("FILE"));
  parser.addOption(sheetOption);
  parser.process(app);
  const QStringList args = parser.positionalArguments();
  const QDir resources(args.isEmpty() ? QStringLiteral(RV1X_RESOURCES_DIR) : args.first());

  std::vector<std::pair<Picture, QImage>> drawn;
  for (const Picture& picture : pictures()) {
    const QString folder = resources.filePath(picture.library + QStringLiteral("/pictures"));
    const QString file = folder + u'/' + ui::pictureFileName(picture.name) + QStringLiteral(".png");
    const QImage image = render(picture);
    QImageWriter writer(file, "png");
    if (!QDir().mkpath(folder) || !writer.write(image)) {
      std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(file),
                   qPrintable(writer.errorString()));
      return 1;
    }
    std::printf("%s\n", qPrintable(file));
    drawn.emplace_back(picture, image);
  }
  if (parser.isSet(sheetOption) && !contactSheet(drawn).save(parser.value(sheetOption))) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(parser.value(sheetOption)));
    return 1;
  }
  return 0;
}

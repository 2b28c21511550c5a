#pragma once
// Input the way a person gives it, for the host's scripted operator and for
// tests: mouse clicks and key strokes delivered as the widget's own input
// events, so they take the road a real click or key takes (a disabled or
// hidden widget ignores them, a button emits its click on the release).

#include <QPoint>
#include <QString>
#include <QWidget>

namespace ui {

// Clicks at a point of the widget (its centre when none is given): the
// press and the release go to the innermost child under the point. False
// when nothing took the click (no widget, hidden, disabled).
bool click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton);
bool clickAt(QWidget* widget, QPoint position, Qt::MouseButton button = Qt::LeftButton);

// One key stroke without text (press and release) to the widget: Home,
// Down, Delete, Ctrl+A.
void pressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Selects everything in the widget (Ctrl+A) and types the text over it.
void typeText(QWidget* widget, const QString& text);

}  // namespace ui

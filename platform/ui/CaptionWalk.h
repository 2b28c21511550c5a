#pragma once
// The walk over a form's or user control's child widgets that replaces every
// caption, text, title, tooltip or list entry holding a text key
// ("20205::Preset energy:", "::Add waveform to list") by its translation.

#include <QString>
#include <QWidget>
#include <functional>

class QTabBar;

namespace ui {

// A text key: up to five digits, the first of which may be a capital letter
// (a number of the host's own tables: "T1708::Comment"), then "::".
bool isTextKey(const QString& text);

using Translator = std::function<QString(const QString& textKey)>;

void translateCaptions(QWidget* root, const Translator& translate);
void translateTabs(QTabBar* tabs, const Translator& translate);

}  // namespace ui

#include "XTgToolbar.h"

#include <QComboBox>
#include <QCursor>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

#include "FittedComboBox.h"
#include "ToolbarIcons.h"
#include "com/ServerModule.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "records/RunContext.h"
#include "runtime/ErrorHandling.h"
#include "services/LanguageService.h"
#include "typelib/ILimitData.h"
#include "typelib/IResultData.h"
#include "typelib/ITestElement.h"
#include "ui/Twips.h"

namespace orvanTGCL2 {

namespace {

using namespace host::guidebuttons;

constexpr int kDesignedHeightTwips = 645;
// The status line's font shrinks so far, no further, to show its text whole.
constexpr double kSmallestStatusPoints = 7;
// A button's caption shrinks so far to fit the button.
constexpr double kSmallestCaptionPoints = 6;

enum class Group { Left, Right };
enum class Kind { Abort, Run, Stop, Navigation };

struct ButtonSpec {
  rt::Long id;
  const char* caption;
  const char* tip;
  rt::Long maskBit;  // 0: always there
  Kind kind;
  Group group;
};

// Captions and tips are the host's text keys, in the operator's language.
const ButtonSpec kButtons[] = {
    {Abort, "1420::Abort", "1427::Abort the test sequence", 0, Kind::Abort, Group::Left},
    {Skip, "1421::Skip", "1428::Skip this test", 1, Kind::Navigation, Group::Left},
    {NotApplicable, "1422::N/A", "1429::The test does not apply to this device", 2,
     Kind::Navigation, Group::Left},
    {Previous, "1423::Previous", "1430::Back to the previous test", 8, Kind::Navigation,
     Group::Right},
    {Play, "1424::Play", "1431::Start the test", 4, Kind::Run, Group::Right},
    {Stop, "1425::Stop", "1432::Stop the test", 4, Kind::Stop, Group::Right},
    {Next, "1426::Next", "1433::On to the next test", 0, Kind::Navigation, Group::Right},
};

// The words are the host's own text keys, so the indicator speaks the
// language of the status line beside it.
struct ResultLook {
  const char* textKey;
  const char* background;
  const char* foreground;
};

ResultLook resultLook(rt::Integer status) {
  switch (status) {
    case host::resultstatus::Passed:
      return {"236::Passed", "#2E9E44", "#FFFFFF"};
    case host::resultstatus::Failed:
      return {"237::Failed", "#C62828", "#FFFFFF"};
    case host::resultstatus::NotApplicable:
      return {"240::Skipped", "#E8A317", "#2B2000"};
    default:
      return {"265::Not tested", "#D9DDE2", "#4A4F55"};
  }
}

// A result that ran but holds no verdict: never the green of a pass.
const ResultLook kNotJudged{"238::Not judged", "#F6D365", "#3D2E00"};

// Wide enough for the longest of the indicator's words in the language shown
// (bold, within its padding), and never narrower than the design's 78 pixels.
int resultWidth(QFont font) {
  font.setBold(true);
  const QFontMetrics metrics(font);
  int widest = metrics.horizontalAdvance(host::translated(QLatin1String(kNotJudged.textKey)));
  for (rt::Integer status = 0; status <= 3; ++status)
    widest = std::max(widest, metrics.horizontalAdvance(
                                  host::translated(QLatin1String(resultLook(status).textKey))));
  return std::max(78, widest + 14);
}

}  // namespace

XTgToolbar::XTgToolbar() {
  setObjectName(QStringLiteral("XTgToolbar"));
  setAttribute(Qt::WA_StyledBackground, false);
  status_ = std::make_shared<TgStatus>([this] { ShowStatus(); });

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 2);
  layout->setSpacing(1);
  for (const ButtonSpec& spec : kButtons)
    if (spec.group == Group::Left) layout->addWidget(addButton(spec.id, spec.caption, spec.tip));
  layout->addSpacing(6);

  auto* middle = new QVBoxLayout;
  middle->setContentsMargins(0, 1, 0, 1);
  middle->setSpacing(2);
  lblStatus_ = new QLabel(this);
  lblStatus_->setObjectName(QStringLiteral("lblStatus"));
  lblStatus_->setMinimumWidth(60);
  statusFont_ = lblStatus_->font();
  statusFont_.setBold(true);
  lblStatus_->setFont(statusFont_);
  middle->addWidget(lblStatus_);
  auto* lower = new QHBoxLayout;
  lower->setSpacing(4);
  lblResult_ = new QLabel(this);
  lblResult_->setObjectName(QStringLiteral("lblResult"));
  lblResult_->setAlignment(Qt::AlignCenter);
  lblResult_->setFixedWidth(resultWidth(lblResult_->font()));
  lower->addWidget(lblResult_);
  // The German indicator leaves the list less room than the design's
  // English: a long standard's name is drawn smaller, as the status line is.
  cboStandard_ = new FittedComboBox(kSmallestStatusPoints, this);
  cboStandard_->setObjectName(QStringLiteral("cboStandard"));
  cboStandard_->setToolTip(QStringLiteral("The standard whose limits the result view shows"));
  cboStandard_->setMinimumWidth(60);
  lower->addWidget(cboStandard_, 1);
  middle->addLayout(lower);
  layout->addLayout(middle, 1);

  layout->addSpacing(6);
  for (const ButtonSpec& spec : kButtons)
    if (spec.group == Group::Right) layout->addWidget(addButton(spec.id, spec.caption, spec.tip));

  connect(cboStandard_, &QComboBox::activated, this, &XTgToolbar::StandardPicked);
  resize(ui::toPixels(8910), ui::toPixels(kDesignedHeightTwips));
  Bind(nullptr, nullptr);
  ShowStatus();
  Refresh();
}

XTgToolbar::~XTgToolbar() = default;

QToolButton* XTgToolbar::addButton(rt::Long id, const QString& caption, const QString& tip) {
  auto* widget = new QToolButton(this);
  widget->setObjectName(QStringLiteral("button%1").arg(id));
  widget->setText(host::translated(caption));
  widget->setToolTip(host::translated(tip));
  widget->setIcon(toolbarIcon(id));
  widget->setIconSize(QSize(20, 20));
  widget->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  widget->setAutoRaise(true);
  widget->setCheckable(id == Play);
  widget->setFixedSize(48, 38);
  QFont font = widget->font();
  font.setPointSizeF(font.pointSizeF() * 0.85);
  // A caption longer than the button (a German one, say) is drawn smaller,
  // so the standard's box beside the buttons keeps its room.
  while (font.pointSizeF() > kSmallestCaptionPoints &&
         QFontMetrics(font).horizontalAdvance(widget->text()) > widget->width() - 4)
    font.setPointSizeF(font.pointSizeF() - 0.25);
  widget->setFont(font);
  connect(widget, &QToolButton::clicked, this, [this, id] { ButtonClicked(id); });
  buttons_[id] = std::make_shared<TgButton>(id, widget, [this] { Refresh(); });
  return widget;
}

void XTgToolbar::ButtonClicked(rt::Long id) {
  // The event reaches the guide with the button as it was pressed; a
  // checkable button's own toggle does not count.
  rt::ignoreErrors([&] {
    const std::shared_ptr<TgButton>& button = buttons_.at(id);
    if (QToolButton* widget = button->widget()) widget->setChecked(button->State());
    RaiseEvent(
        host::toolbarevent::ButtonClick,
        {com::toVariantOf(std::static_pointer_cast<host::ToolbarButton>(button)), button->State()});
  });
}

void XTgToolbar::Bind(const host::RunContextPtr& ctx, const host::ITestElementPtr& test) {
  ctx_ = ctx;
  test_ = test;
  standards_.clear();
  rt::ignoreErrors([&] {
    if (!test) return;
    host::StandardsCollectionPtr standards = com::must(test->Limits()).Standards();
    host::StandardsCollectionPtr selected = ctx ? ctx->SelectedStandards() : nullptr;
    for (const host::StandardPtr& standard : com::must(standards)) {
      const QString alpha = standard->AlphaName();
      const QString complete = standard->CompleteName();
      const bool flag = !selected || selected->Find(0, alpha, complete) != nullptr;
      standards_.append(Choice{alpha, complete, flag});
    }
  });
  cboStandard_->clear();
  int first = -1;
  for (int i = 0; i < standards_.size(); ++i) {
    const Choice& choice = standards_.at(i);
    cboStandard_->addItem(choiceText(choice));
    cboStandard_->setItemData(i, choice.completeName, Qt::ToolTipRole);
    cboStandard_->setItemData(i, choice.alphaName, Qt::UserRole);
    if (first < 0 && choice.flag) first = i;
  }
  if (standards_.isEmpty()) cboStandard_->addItem(QStringLiteral("No standard"));
  cboStandard_->setEnabled(!standards_.isEmpty());
  if (standards_.isEmpty()) return;
  cboStandard_->setCurrentIndex(first < 0 ? 0 : first);
  RaiseEvent(host::toolbarevent::StandardChanged);
}

QString XTgToolbar::choiceText(const Choice& choice) {
  return choice.flag ? choice.alphaName : choice.alphaName + QStringLiteral(" (not used)");
}

void XTgToolbar::StandardPicked(int index) {
  if (standards_.isEmpty()) return;
  // The standard picked is the one the test is judged by.
  rt::ignoreErrors([&] {
    const host::RunContextPtr ctx = ctx_.lock();
    if (!ctx || index < 0 || index >= standards_.size()) return;
    ctx->selectOnly(test_.lock(), standards_.at(index).alphaName,
                    standards_.at(index).completeName);
    for (int i = 0; i < standards_.size(); ++i) {
      standards_[i].flag = ctx->SelectedStandards()->Find(0, standards_.at(i).alphaName,
                                                          standards_.at(i).completeName) != nullptr;
      cboStandard_->setItemText(i, choiceText(standards_.at(i)));
    }
  });
  RaiseEvent(host::toolbarevent::StandardChanged);
}

host::StandardSelectionPtr XTgToolbar::StandardSelection() {
  const int index = cboStandard_->currentIndex();
  if (index < 0 || index >= standards_.size())
    return std::make_shared<TgSelection>(QString(), QString(), false);
  const Choice& choice = standards_.at(index);
  return std::make_shared<TgSelection>(choice.alphaName, choice.completeName, choice.flag);
}

void XTgToolbar::SetButtonMask(rt::Long operation, rt::Long& mask) {
  switch (operation) {
    case host::maskoperation::Add:
      mask_ |= mask;
      break;
    case host::maskoperation::Remove:
      mask_ &= ~mask;
      break;
    case host::maskoperation::Set:
      mask_ = mask;
      break;
    default:
      rt::raise(rt::err::InvalidCall, QStringLiteral("XTgToolbar"),
                QStringLiteral("Unknown button mask operation %1").arg(operation));
  }
  mask = mask_;
  Refresh();
  RaiseEvent(host::toolbarevent::LayoutChanged);
}

void XTgToolbar::SetMode(rt::Long mode) {
  mode_ = mode;
  Refresh();
}

void XTgToolbar::SetRunning(const QVariant&, bool running, bool locked) {
  running_ = running;
  locked_ = locked;
  Refresh();
}

host::ToolbarButtonPtr XTgToolbar::Buttons(rt::Long id) {
  const auto it = buttons_.find(id);
  if (it == buttons_.end())
    rt::raise(rt::err::SubscriptOutOfRange, QStringLiteral("XTgToolbar"),
              QStringLiteral("The toolbar has no button %1").arg(id));
  return it->second;
}

void XTgToolbar::OnRightMouseDown() {
  if (standards_.isEmpty()) return;
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  for (int i = 0; i < standards_.size(); ++i) {
    QAction* action = menu->addAction(cboStandard_->itemText(i));
    action->setCheckable(true);
    action->setChecked(i == cboStandard_->currentIndex());
    connect(action, &QAction::triggered, this, [this, i] {
      cboStandard_->setCurrentIndex(i);
      StandardPicked(i);
    });
  }
  menu->popup(QCursor::pos());
}

void XTgToolbar::Refresh() {
  const bool running = Running();
  const bool navigationLocked = locked_ || mode_ == host::toolbarmode::Running;
  for (const ButtonSpec& spec : kButtons) {
    TgButton& button = *buttons_.at(spec.id);
    const bool shown = spec.maskBit == 0 || (mask_ & spec.maskBit) != 0;
    bool allowed = true;
    if (spec.kind == Kind::Stop) allowed = running;
    if (spec.kind == Kind::Navigation) allowed = !navigationLocked;
    button.show(shown, allowed && button.guideEnabled(), spec.id == Play && running);
    // The button the operator most likely wants next stands out.
    if (QToolButton* widget = button.widget()) {
      QFont font = widget->font();
      font.setBold((spec.id == Play && mode_ == host::toolbarmode::Idle) ||
                   (spec.id == Next && mode_ == host::toolbarmode::IdleWithResult));
      widget->setFont(font);
    }
  }
}

void XTgToolbar::ShowStatus() {
  const bool notJudged = status_->ResultStatus() == host::resultstatus::NotEvaluated &&
                         !status_->ResultNote().isEmpty();
  const QString line =
      status_->Text().isEmpty() && notJudged ? status_->ResultNote() : status_->Text();
  lblStatus_->setToolTip(line);
  FitStatus(line, notJudged && line == status_->ResultNote());
  const ResultLook look = notJudged ? kNotJudged : resultLook(status_->ResultStatus());
  lblResult_->setText(host::translated(QLatin1String(look.textKey)));
  lblResult_->setToolTip(notJudged ? status_->ResultNote() : QString());
  lblResult_->setStyleSheet(
      QStringLiteral("QLabel { background: %1; color: %2; border-radius: 8px; padding: 1px 4px; "
                     "font-weight: bold; }")
          .arg(QLatin1String(look.background), QLatin1String(look.foreground)));
}

void XTgToolbar::FitStatus(const QString& line, bool isNote) {
  const int room = lblStatus_->width();
  const auto fits = [&](const QFont& font, const QString& text) {
    return QFontMetrics(font).horizontalAdvance(text) <= room;
  };
  QFont font = statusFont_;
  if (!fits(font, line)) font.setBold(false);
  while (!fits(font, line) && font.pointSizeF() > kSmallestStatusPoints)
    font.setPointSizeF(std::max(kSmallestStatusPoints, font.pointSizeF() - 0.5));
  QString shown = line;
  // The reason of a note too long for the line stands without the note's
  // heading ("Not judged: "), which the result indicator says already.
  const qsizetype heading = line.indexOf(QStringLiteral(": "));
  if (isNote && !fits(font, line) && heading > 0) shown = line.mid(heading + 2);
  lblStatus_->setFont(font);
  lblStatus_->setText(shown);
}

void XTgToolbar::resizeEvent(QResizeEvent* event) {
  UserControl::resizeEvent(event);
  ShowStatus();
}

QSize XTgToolbar::sizeHint() const {
  return QSize(ui::toPixels(8910), ui::toPixels(kDesignedHeightTwips));
}

void XTgToolbar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QLinearGradient ground(0, 0, 0, height());
  ground.setColorAt(0, QColor(0xF6, 0xF8, 0xFB));
  ground.setColorAt(1, QColor(0xD9, 0xE0, 0xE8));
  painter.fillRect(rect(), ground);
  painter.setPen(QColor(0x98, 0xA4, 0xB0));
  painter.drawLine(0, 0, width(), 0);
  painter.setPen(Qt::white);
  painter.drawLine(0, 1, width(), 1);
}

RV1X_CREATABLE_CLASS("orvanTGCL2", XTgToolbar)

}  // namespace orvanTGCL2

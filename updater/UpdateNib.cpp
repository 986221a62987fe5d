#include "updater/UpdateNib.h"

#include "platform/ns/appkit/ScrollView.h"

namespace
{

std::unique_ptr<ns::Window> makeWindow(double width, double height)
{
    auto window = std::make_unique<ns::Window>(ns::Rect(0, 0, width, height), ns::TitledWindowMask);
    window->center();
    return window;
}

// A sheet: a message above one or two buttons at its bottom right.
std::unique_ptr<ns::Window> makeSheet(ns::TextField** text)
{
    auto sheet = std::make_unique<ns::Window>(ns::Rect(0, 0, 420, 130), ns::TitledWindowMask);
    auto* label = new ns::TextField(ns::Rect(20, 56, 380, 58));
    label->setEditable(false);
    label->setBezeled(false);
    label->setBordered(false);
    label->setDrawsBackground(false);
    sheet->contentView()->addSubview(label);
    *text = label;
    return sheet;
}

ns::Button* makeButton(ns::Window& window, const ns::Rect& frame, const QString& action,
                       const QString& keyEquivalent = QString())
{
    auto* button = new ns::Button(frame);
    button->setAction(action);
    button->setKeyEquivalent(keyEquivalent);
    window.contentView()->addSubview(button);
    return button;
}

ns::TextView* makeTextView(ns::Window& window, const ns::Rect& frame)
{
    auto* view = new ns::TextView(frame);
    view->setEditable(false);
    window.contentView()->addSubview(view);
    return view;
}

ns::TextField* makeLabel(ns::Window& window, const ns::Rect& frame)
{
    auto* label = new ns::TextField(frame);
    label->setEditable(false);
    label->setBezeled(false);
    label->setBordered(false);
    label->setDrawsBackground(false);
    window.contentView()->addSubview(label);
    return label;
}

void addColumn(ns::TableView* table, const QString& identifier, double width,
               std::unique_ptr<ns::Cell> cell = {})
{
    auto column = std::make_unique<ns::TableColumn>(identifier);
    column->setWidth(width);
    column->setDataCell(std::move(cell));
    table->addTableColumn(std::move(column));
}

const QString kReturn = QStringLiteral("\r");
const QString kEscape = QStringLiteral("\x1b");

} // namespace

UpdateNib::UpdateNib()
{
    m_WaitWnd = makeWindow(380, 150);
    m_WaitInfoView = makeTextView(*m_WaitWnd, ns::Rect(20, 56, 340, 74));
    m_WaitOKBtn = makeButton(*m_WaitWnd, ns::Rect(274, 12, 90, 32), QStringLiteral("WaitInfoOK:"), kReturn);

    m_UpdateInfoWnd = makeWindow(440, 320);
    m_PackageInfoView = makeTextView(*m_UpdateInfoWnd, ns::Rect(20, 60, 400, 240));
    m_InfoCancelBtn =
        makeButton(*m_UpdateInfoWnd, ns::Rect(238, 12, 90, 32), QStringLiteral("UpdateInfoCancel:"), kEscape);
    m_InfoNextBtn =
        makeButton(*m_UpdateInfoWnd, ns::Rect(334, 12, 90, 32), QStringLiteral("UpdateInfoNext:"), kReturn);

    m_ModuleSelWnd = makeWindow(480, 380);
    auto* scroll = new ns::ScrollView(ns::Rect(20, 180, 440, 180));
    scroll->setHasVerticalScroller(true);
    scroll->setAutohidesScrollers(true);
    scroll->setBorderType(ns::BezelBorder);
    m_PackageListView = new ns::TableView(ns::Rect(0, 0, 436, 176));
    auto check = std::make_unique<ns::ButtonCell>();
    check->setButtonType(ns::SwitchButton);
    addColumn(m_PackageListView, QStringLiteral("checkstate"), 224, std::move(check));
    addColumn(m_PackageListView, QStringLiteral("Version"), 60);
    addColumn(m_PackageListView, QStringLiteral("Size"), 86);
    addColumn(m_PackageListView, QStringLiteral("PriorityFlag"), 60);
    (void)scroll->setDocumentView(m_PackageListView);
    m_ModuleSelWnd->contentView()->addSubview(scroll);
    m_InfoView = makeTextView(*m_ModuleSelWnd, ns::Rect(20, 60, 440, 108));
    m_SelBackBtn = makeButton(*m_ModuleSelWnd, ns::Rect(20, 12, 90, 32), QStringLiteral("UpdateSelBack:"));
    m_SelCancelBtn =
        makeButton(*m_ModuleSelWnd, ns::Rect(278, 12, 90, 32), QStringLiteral("UpdateSelCancel:"), kEscape);
    m_UpdateBtn = makeButton(*m_ModuleSelWnd, ns::Rect(374, 12, 90, 32),
                             QStringLiteral("UpdateSelStartUpdate:"), kReturn);

    m_UpdateWnd = makeWindow(460, 330);
    m_DownLoadText = makeLabel(*m_UpdateWnd, ns::Rect(20, 290, 420, 20));
    m_UpdateFWText = makeLabel(*m_UpdateWnd, ns::Rect(20, 266, 420, 20));
    m_UpdateUIText = makeLabel(*m_UpdateWnd, ns::Rect(20, 242, 420, 20));
    m_UpdateEndText = makeLabel(*m_UpdateWnd, ns::Rect(20, 218, 420, 20));
    m_ProcessInfoView = makeTextView(*m_UpdateWnd, ns::Rect(20, 92, 420, 116));
    m_ProcessBar = new ns::ProgressIndicator(ns::Rect(20, 60, 340, 20));
    m_UpdateWnd->contentView()->addSubview(m_ProcessBar);
    m_ElapseTime = makeLabel(*m_UpdateWnd, ns::Rect(370, 60, 70, 20));
    m_ElapseTime->setAlignment(ns::RightTextAlignment);
    m_OKCancelBtn = makeButton(*m_UpdateWnd, ns::Rect(350, 12, 90, 32), QStringLiteral("UpdateCancelOK:"));

    m_FirmwareCancelWnd = makeSheet(&m_ModemText);
    m_FirmwareCancelBtn = makeButton(*m_FirmwareCancelWnd, ns::Rect(310, 12, 90, 32),
                                     QStringLiteral("CancelFirmwareUpdate:"), kEscape);

    m_CloseUIWnd = makeSheet(&m_CloseUIText);
    m_CloseUICancel =
        makeButton(*m_CloseUIWnd, ns::Rect(214, 12, 90, 32), QStringLiteral("CloseUICancel:"), kEscape);
    m_CloseUIOK = makeButton(*m_CloseUIWnd, ns::Rect(310, 12, 90, 32), QStringLiteral("CloseUIOK:"), kReturn);

    m_MakeSureModemWnd = makeSheet(&m_MakeSureText);
    m_MakeSureCancelBtn = makeButton(*m_MakeSureModemWnd, ns::Rect(214, 12, 90, 32),
                                     QStringLiteral("MakeSureCancel:"), kEscape);
    m_MakeSureOKBtn =
        makeButton(*m_MakeSureModemWnd, ns::Rect(310, 12, 90, 32), QStringLiteral("MakeSureOK:"), kReturn);

    m_ReInsertModemWnd = makeSheet(&m_ReInsertModemText);
    m_ReInsertModemOK = makeButton(*m_ReInsertModemWnd, ns::Rect(310, 12, 90, 32),
                                   QStringLiteral("ReInsertModemOK:"), kReturn);
}

UpdateNib::~UpdateNib() = default;

void UpdateNib::connect(ns::Object* target, ns::TableViewDataSource* dataSource,
                        ns::TableViewDelegate* delegate)
{
    for (ns::Button* button : {m_WaitOKBtn, m_InfoCancelBtn, m_InfoNextBtn, m_UpdateBtn, m_SelBackBtn,
                               m_SelCancelBtn, m_OKCancelBtn, m_FirmwareCancelBtn, m_CloseUIOK,
                               m_CloseUICancel, m_MakeSureOKBtn, m_MakeSureCancelBtn, m_ReInsertModemOK})
        button->setTarget(target);
    m_PackageListView->setDataSource(dataSource);
    m_PackageListView->setDelegate(delegate);
}

// The customer registration form of the operator builds that ask for it: an
// e-mail address, a contact number and a date of birth, checked, stored in
// the configuration and sent as three messages 5 seconds apart to the
// operator's number; sent again at SIM ready until the SMS feature reports
// that all three went out.
#include "device/MainController.h"

#include "app/interfaces/PhonebookControlling.h"
#include "app/interfaces/SMSControlling.h"
#include "app/interfaces/SmsServicing.h"
#include "app/utils/RegexPatterns.h"
#include "app/utils/StringRegex.h"
#include "device/NibControls.h"
#include "platform/ns/Timer.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/DatePicker.h"

#include <QtDebug>

using nib::makeLabel;
using nib::makePushButton;

namespace
{

const QString kMain = QStringLiteral("Main");
const QString kRegisteUserInfoIfNeeded = QStringLiteral("Main_RegisteUserInfo_IfNeeded");
const QString kSendUserInfoOK = QStringLiteral("Main_SendUserInfoOK");
const QString kSendUserInfoToNumber = QStringLiteral("Main_sendUserInfoToNumber_IfNeeded");
const QString kFirstTimeSendUserInfo = QStringLiteral("Main_FirstTimeSendUserInfo");
// Where each text is stored, in the order the messages go out.
const QString kStoredTexts[] = {QStringLiteral("Main_UserMailInfo"), QStringLiteral("Main_UserContactInfo"),
                                QStringLiteral("Main_UserDOBInfo")};

// What the date field shows when it holds no valid date.
const QString kDobTemplate = QStringLiteral("dd/mm/yyyy");
// The longest contact number or date, by the phone book's length rule.
constexpr int kFieldMaxLength = 10;
// Seconds between two of the three messages.
constexpr double kSendInterval = 5;
// The sheet without the calendar, and the calendar's height.
const ns::Size kFormSize{420, 236};
constexpr double kCalendarHeight = 176;

} // namespace

// ---- the sheet ----

void MainController::buildUserRegisteWindow()
{
    wndUserRegiste_ = nib::makePanel(kFormSize, ns::TitledWindowMask);
    ns::View* content = wndUserRegiste_->contentView();
    labelUserRegiste_ = makeLabel(ns::Rect(), ns::Font::boldSystemFontOfSize(13));
    content->addSubview(labelUserRegiste_);
    for (auto [label, field] : {std::pair{&labelEmail_, &tfdEmail_}, std::pair{&labelContact_, &tfdContact_},
                                std::pair{&labelDob_, &tfdDob_}}) {
        *label = makeLabel(ns::Rect(), ns::Font::systemFontOfSize(12), ns::RightTextAlignment);
        *field = new ns::TextField(ns::Rect());
        (*field)->setDelegate(this);
        content->addSubview(*label);
        content->addSubview(*field);
    }
    tfdDob_->setStringValue(kDobTemplate);
    btnCalendarUserInfo_ = makePushButton(ns::Rect(), this, QStringLiteral("openCalendarWnd:"));
    btnCalendarUserInfo_->setTitle(QStringLiteral("\u25be"));
    btnExitUserInfo_ =
        makePushButton(ns::Rect(212, 14, 94, 30), this, QStringLiteral("clickOKofUserExitWnd:"));
    btnSendUserInfo_ =
        makePushButton(ns::Rect(310, 14, 94, 30), this, QStringLiteral("clickOKofUserRegisteWnd:"));
    btnSendUserInfo_->setKeyEquivalent(QStringLiteral("\r"));
    DateCalendar_ = new ns::DatePicker(ns::Rect(154, 56, 246, kCalendarHeight));
    DateCalendar_->setTarget(this);
    DateCalendar_->setAction(QStringLiteral("setCalendarDateTime:"));
    for (ns::View* view : std::initializer_list<ns::View*>{btnCalendarUserInfo_, btnExitUserInfo_,
                                                           btnSendUserInfo_, DateCalendar_})
        content->addSubview(view);
    showCalendar(false);
}

void MainController::showCalendar(bool shown)
{
    // The calendar opens between the date field and the buttons; the sheet
    // grows by its height, keeping its top where it hangs.
    const double height = kFormSize.height + (shown ? kCalendarHeight + 12 : 0);
    const ns::Rect frame = wndUserRegiste_->frame();
    wndUserRegiste_->setContentSize({kFormSize.width, height});
    wndUserRegiste_->setFrameTopLeftPoint({frame.minX(), frame.maxY()});
    labelUserRegiste_->setFrame(ns::Rect(20, height - 52, 380, 36));
    const QList<QPair<ns::TextField*, ns::TextField*>> rows = {
        {labelEmail_, tfdEmail_}, {labelContact_, tfdContact_}, {labelDob_, tfdDob_}};
    for (int i = 0; i < rows.size(); ++i) {
        const double y = height - 92 - 38 * i;
        rows[i].first->setFrame(ns::Rect(20, y + 3, 126, 18));
        rows[i].second->setFrame(ns::Rect(154, y, i == 2 ? 206 : 246, 24));
    }
    btnCalendarUserInfo_->setFrame(ns::Rect(364, height - 92 - 76 - 3, 36, 30));
    DateCalendar_->setHidden(!shown);
}

void MainController::openUserRegisteWndIfNeedRegiste()
{
    const ConfigManager& config = configStore();
    if (!config.getConfigurationByModuleAndKey(kMain, kRegisteUserInfoIfNeeded).boolValue() ||
        config.getConfigurationByModuleAndKey(kMain, kSendUserInfoOK).boolValue())
        return;
    const QString number = config.getConfigurationByModuleAndKey(kMain, kSendUserInfoToNumber).toString();
    if (number.isEmpty())
        return;
    sendUserInfoto_ = number;
    if (!config.getConfigurationByModuleAndKey(kMain, kFirstTimeSendUserInfo).boolValue())
        return;
    labelUserRegiste_->setStringValue(wording(QStringLiteral("Please register your contact details")));
    labelEmail_->setStringValue(wording(QStringLiteral("E-mail:")));
    labelContact_->setStringValue(wording(QStringLiteral("Contact number:")));
    labelDob_->setStringValue(wording(QStringLiteral("Date of birth:")));
    btnSendUserInfo_->setTitle(wording(QStringLiteral("Send")));
    btnExitUserInfo_->setTitle(wording(QStringLiteral("Exit")));
    ns::Application::sharedApplication().beginSheet(wndUserRegiste_.get(), wndMain);
    wndUserRegiste_->orderFront(this);
}

void MainController::clickOKofUserExitWnd(ns::Object*)
{
    nib::endSheet(wndUserRegiste_.get());
}

void MainController::openCalendarWnd(ns::Object*)
{
    showCalendar(DateCalendar_->isHidden());
}

void MainController::setCalendarDateTime(ns::Object*)
{
    tfdDob_->setStringValue(DateCalendar_->dateValue().toString(QStringLiteral("dd/MM/yyyy")));
    showCalendar(false);
}

// ---- typing ----

void MainController::limitTextFiledLength(ns::TextField* field)
{
    if (!field || !g_PBController)
        return;
    const QString text = field->stringValue();
    const QString kept = g_PBController->deleteExtraContent(text, kFieldMaxLength);
    if (kept != text)
        field->setStringValue(kept);
}

// ---- the checks ----

namespace
{

// How one field of the form is checked: its pattern, the alerts for an
// empty and for a wrong text, and what a wrong text is replaced with (null:
// it stays).
struct FieldCheck {
    const QString& pattern;
    const char* emptyKey;
    const char* wrongKey;
    QString wrongReplacement;
};

// Checks the text; on a failure shows the phone book's alert for it and puts
// the focus on the field.
bool checkField(ns::Window* window, ns::TextField* field, const QString& text, const FieldCheck& check)
{
    const char* failure = text.isEmpty()                           ? check.emptyKey
                          : !isMatchedByRegex(text, check.pattern) ? check.wrongKey
                                                                   : nullptr;
    if (!failure)
        return true;
    if (failure == check.wrongKey && !check.wrongReplacement.isNull())
        field->setStringValue(check.wrongReplacement);
    if (g_PBController)
        g_PBController->popupAlertOk(QString::fromLatin1(failure));
    window->makeFirstResponder(field);
    return false;
}

} // namespace

bool MainController::checkEmailValidity(const QString& email)
{
    return checkField(
        wndUserRegiste_.get(), tfdEmail_, email,
        {kEmailRegex, "Email address information is not input!", "Mail address incorrect format!", {}});
}

bool MainController::checkContactValidity(const QString& contact)
{
    return checkField(
        wndUserRegiste_.get(), tfdContact_, contact,
        {kContactNumberRegex, "Contact information is not input!", "Contact incorrect format!", {}});
}

bool MainController::checkDobValidity(const QString& dob)
{
    return checkField(
        wndUserRegiste_.get(), tfdDob_, dob,
        {kBirthdayRegex, "Dob information is not input!", "Dob incorrect format!", kDobTemplate});
}

bool MainController::checKUserInfoValidity()
{
    return checkEmailValidity(tfdEmail_->stringValue()) && checkContactValidity(tfdContact_->stringValue()) &&
           checkDobValidity(tfdDob_->stringValue());
}

// ---- sending ----

void MainController::getUserInfoFromTextField()
{
    userRegisteInfoArray_ = {
        QStringLiteral("%1%2").arg(QStringLiteral("Email "), tfdEmail_->stringValue()),
        QStringLiteral("%1%2").arg(QStringLiteral("Contact "), tfdContact_->stringValue()),
        QStringLiteral("%1%2").arg(QStringLiteral("DOB "), tfdDob_->stringValue())};
}

void MainController::saveUserInfoIntoFile()
{
    for (int i = 0; i < userRegisteInfoArray_.size(); ++i)
        configStore().setConfigurationByModuleKeyAndValue(kMain, kStoredTexts[i],
                                                          userRegisteInfoArray_.at(i));
    configStore().writeToFile();
}

void MainController::readUserInfoFromFile()
{
    userRegisteInfoArray_.clear();
    for (const QString& key : kStoredTexts)
        userRegisteInfoArray_ << configStore().getConfigurationByModuleAndKey(kMain, key).toString();
}

void MainController::clickOKofUserRegisteWnd(ns::Object*)
{
    if (!checKUserInfoValidity())
        return;
    getUserInfoFromTextField();
    saveUserInfoIntoFile();
    nib::endSheet(wndUserRegiste_.get());
    startSendingUserInfo();
    configStore().setConfigurationByModuleKeyAndValue(kMain, kFirstTimeSendUserInfo, false);
    configStore().writeToFile();
}

void MainController::sendUserInfoIfNeededAndSendFailedBefore()
{
    const ConfigManager& config = configStore();
    if (!config.getConfigurationByModuleAndKey(kMain, kRegisteUserInfoIfNeeded).boolValue() ||
        config.getConfigurationByModuleAndKey(kMain, kSendUserInfoOK).boolValue())
        return;
    const QString number = config.getConfigurationByModuleAndKey(kMain, kSendUserInfoToNumber).toString();
    if (number.isEmpty() || config.getConfigurationByModuleAndKey(kMain, kFirstTimeSendUserInfo).boolValue())
        return;
    sendUserInfoto_ = number;
    readUserInfoFromFile();
    if (userRegisteInfoArray_.contains(QString())) {
        qInfo("Customer form: the stored texts are incomplete; nothing to send again");
        return;
    }
    startSendingUserInfo();
}

void MainController::startSendingUserInfo()
{
    // The SMS page shows no sending window for these messages and keeps its
    // send button off until the SMS feature has all three results.
    if (g_SmsService)
        g_SmsService->setUnshowInfoWndWhenSendSmsByFlag(true);
    sendUserEmailInfo();
    isSendingUserInfo_ = true;
    if (g_SMSController)
        g_SMSController->setSendSMSBtnStatWhenSendUserInfo(false);
}

void MainController::sendUserInfoText(int index)
{
    if (!g_SMSController || index >= userRegisteInfoArray_.size()) {
        qInfo("Customer form: message %d not sent (no SMS feature or no text)", index + 1);
        return;
    }
    g_SMSController->sendSmsTo(sendUserInfoto_, userRegisteInfoArray_.at(index), false, true, false);
}

void MainController::sendUserEmailInfo()
{
    sendUserInfoText(0);
    ns::performSelectorAfterDelay(this, QStringLiteral("sendUserContact"), nullptr, kSendInterval);
}

void MainController::sendUserContact()
{
    sendUserInfoText(1);
    ns::performSelectorAfterDelay(this, QStringLiteral("sendUSerODB"), nullptr, kSendInterval);
}

void MainController::sendUSerODB()
{
    sendUserInfoText(2);
}

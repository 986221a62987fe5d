// The PDP type and the IPv6 settings of the profile editor: which controls
// show and which are enabled for each type, the type cells of both matrix
// shapes, and the IPv6 values of a profile.
#include "connection/DialController.h"

#include "connection/DialProfile.h"
#include "connection/ProfileFieldStates.h"
#include "connection/ProfileRules.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/TextField.h"

using namespace profile_fields;
using profile_rules::PdpMatrixShape;

namespace
{

const QString kInternet = QStringLiteral("Internet");
constexpr int kDualStack = 3;

PdpMatrixShape shapeOf(const ns::Matrix* matrix)
{
    return matrix ? profile_rules::pdpMatrixShape(matrix->numberOfRows(), matrix->numberOfColumns())
                  : PdpMatrixShape::Other;
}

int readPdpType(ns::Matrix* matrix, PdpMatrixShape shape)
{
    if (!matrix || shapeOf(matrix) != shape)
        return 0;
    return profile_rules::pdpTypeOfCell(shape, {matrix->selectedRow(), matrix->selectedColumn()});
}

void showPdpType(ns::Matrix* matrix, PdpMatrixShape shape, int type)
{
    if (!matrix || shapeOf(matrix) != shape)
        return;
    const profile_rules::PdpCell cell = profile_rules::cellOfPdpType(shape, type);
    if (cell.isValid())
        matrix->selectCellAtRow(cell.row, cell.column);
}

} // namespace

bool DialController::supportsIPv6Setting()
{
    return configStore().getConfigurationByModuleAndKey(kInternet, QStringLiteral("SupportIPv6")).boolValue();
}

void DialController::supportIPv6()
{
    const bool supported = supportsIPv6Setting();
    // A caption does not stay without its group.
    for (ns::View* type :
         std::initializer_list<ns::View*>{bPDPTypeGroup_, ePDPTypeGroup_, Config_PDPType, EditConfig_PDPType})
        if (type)
            type->setHidden(!supported);
    ePDPTypeGroup_->setEnabled(supported);
    if (supported)
        checkIsSupportDoublePdpSettings();
    bPDPTypeGroup_->setEnabled(false);
}

void DialController::checkIsSupportDoublePdpSettings()
{
    if (!configStore()
             .getConfigurationByModuleAndKey(kInternet, QStringLiteral("DualPDPSettings"))
             .boolValue())
        return;
    bSupportDoublePdp_ = 1;
    if (shapeOf(ePDPTypeGroup_) != PdpMatrixShape::FourCell)
        return;
    ns::ButtonCell* neither = ePDPTypeGroup_->cellAtRow(profile_rules::kNeitherGroupCell.row,
                                                        profile_rules::kNeitherGroupCell.column);
    neither->setEnabled(false);
    neither->setTransparent(true);
}

// ---- the type cells ----

int DialController::getPDPType(ns::Matrix* matrix)
{
    return shapeOf(matrix) == PdpMatrixShape::ThreeCell ? getThreePDPType(matrix) : getFourPDPType(matrix);
}

int DialController::getFourPDPType(ns::Matrix* matrix)
{
    return readPdpType(matrix, PdpMatrixShape::FourCell);
}

int DialController::getThreePDPType(ns::Matrix* matrix)
{
    return readPdpType(matrix, PdpMatrixShape::ThreeCell);
}

void DialController::displayPDPAt(ns::Matrix* matrix, int type)
{
    if (shapeOf(matrix) == PdpMatrixShape::ThreeCell)
        displayThreePDPAt(matrix, type);
    else
        displayFourPDPAt(matrix, type);
}

void DialController::displayFourPDPAt(ns::Matrix* matrix, int type)
{
    showPdpType(matrix, PdpMatrixShape::FourCell, type);
}

void DialController::displayThreePDPAt(ns::Matrix* matrix, int type)
{
    showPdpType(matrix, PdpMatrixShape::ThreeCell, type);
}

// ---- enabling by type ----

void DialController::setPdpTypeStatus(ns::Object* /*sender*/)
{
    switch (getPDPType(ePDPTypeGroup_)) {
    case 0:
        setIPv6ApnEnabled(false);
        setIPv4ApnEnabled(true);
        break;
    case 1:
        setIPv6ApnEnabled(false);
        setIPv4ApnEnabled(false);
        break;
    case 2:
        setIPv6ApnEnabled(true);
        setIPv4ApnEnabled(false);
        break;
    case kDualStack:
        setUseSinglePdpForIPv6(checkSinglePdp_);
        setIPv4ApnEnabled(true);
        break;
    default:
        break;
    }
}

void DialController::setIPv4ApnEnabled(bool enabled)
{
    setControlsEnabled({m_eIsSaveUserInfo, m_eUsername, m_ePassword, m_eIsAutoObtainAPN, m_eAPN, m_eAuthMode},
                       enabled);
}

void DialController::setIPv6ApnEnabled(bool enabled)
{
    setControlsEnabled({checkSavePasswordForIPv6_, tfUsernameForIPv6_, tfPasswordForIPv6_,
                        radioObtainApnIPv6_, tfApnIPv6_, radioAuthModeIPv6_},
                       enabled);
}

void DialController::setUseSinglePdpForIPv6(ns::Object* sender)
{
    if (getPDPType(ePDPTypeGroup_) == kDualStack)
        setIPv6ApnEnabled(stateOf(sender) == 0);
}

void DialController::pdpTypeSelect(ns::Object* /*sender*/)
{
    if (m_eIsAutoObtainAPN->selectedRow() != 1 || !supportsIPv6Setting())
        return;
    switch (getPDPType(ePDPTypeGroup_)) {
    case 0:
        tfApnIPv6_->setEnabled(false);
        m_eAPN->setEnabled(true);
        break;
    case 2:
        tfApnIPv6_->setEnabled(true);
        m_eAPN->setEnabled(false);
        break;
    case kDualStack:
        setControlsEnabled({tfApnIPv6_, m_eAPN}, true);
        break;
    default:
        break;
    }
}

// ---- the IPv6 choices ----

void DialController::selectObtainAPNTypeIPv6(ns::Object* sender)
{
    if (selectedRowOf(sender) == 0)
        closeFields({tfApnIPv6_});
    else
        openFields({tfApnIPv6_});
    pdpTypeSelect(sender);
}

void DialController::selectObtainPDPTypeIPv6(ns::Object* sender)
{
    if (selectedRowOf(sender) == 0)
        closeFields({tfPdpAddrIPv6_});
    else
        openFields({tfPdpAddrIPv6_});
}

void DialController::selectObtainDNSTypeIPv6(ns::Object* sender)
{
    if (selectedRowOf(sender) == 0)
        closeFields({tfPreferDNSIPv6_, tfAltDNSIPv6_});
    else
        openFields({tfPreferDNSIPv6_, tfAltDNSIPv6_});
}

void DialController::saveAPNPasswordIPv6(ns::Object* sender)
{
    if (stateOf(sender) == 0)
        closeFields({tfUsernameForIPv6_, tfPasswordForIPv6_});
    else
        openFields({tfUsernameForIPv6_, tfPasswordForIPv6_});
}

void DialController::setApnEditWinCtrlStatusForIPv6()
{
    saveAPNPasswordIPv6(checkSavePasswordForIPv6_);
    selectObtainDNSTypeIPv6(radioObtainDNSIPv6_);
    selectObtainPDPTypeIPv6(radioObtainPdpIPv6_);
    pdpTypeSelect(nullptr);
}

// ---- the tab views ----

void DialController::advancedApnConfigForIPv4(ns::Object* /*sender*/)
{
    tabviewIpv4ApnConfig_->selectTabViewItemWithIdentifier(QStringLiteral("Advanced"));
}

void DialController::commonApnConfigForIPv4(ns::Object* /*sender*/)
{
    tabviewIpv4ApnConfig_->selectTabViewItemWithIdentifier(QStringLiteral("Common"));
}

void DialController::advancedApnConfigForIPv6(ns::Object* /*sender*/)
{
    tabviewIpv6ApnConfig_->selectTabViewItemWithIdentifier(QStringLiteral("Advanced"));
}

void DialController::commonApnConfigForIPv6(ns::Object* /*sender*/)
{
    tabviewIpv6ApnConfig_->selectTabViewItemWithIdentifier(QStringLiteral("Common"));
}

bool DialController::shouldSelectTabViewItem(ns::TabView* tabView, ns::TabViewItem* /*item*/)
{
    return tabView != tabviewApnSettings_;
}

// ---- the IPv6 values of a profile ----

void DialController::addIPv6ParaNumArray(QStringList& numberKeys, QStringList& textKeys)
{
    if (isSupportDoblePdpSettings())
        DialProfile::addIPv6ParaNumArray(numberKeys, textKeys);
}

void DialController::setDefaultDialParamsForIPv6(ns::Dictionary& profile)
{
    if (!isSupportDoblePdpSettings())
        return;
    for (const QString& key :
         {DialProfile::kIPv6ApnName, DialProfile::kIPv6PrefDNS, DialProfile::kIPv6AltDNS})
        profile.setValue(key, QString());
    profile.setValue(DialProfile::kIPv6DNSMode, 0);
}

void DialController::saveDialConfigForIPv6()
{
    const int row = m_configListView->selectedRow();
    if (!isSupportDoblePdpSettings() || row < 0 || row >= dialConfigArray.count())
        return;
    ns::Dictionary profile = dialConfigArray.at(row).toDictionary();
    profile.setValue(DialProfile::kIPv6ApnName, tfApnIPv6_->stringValue());
    profile.setValue(DialProfile::kIPv6PrefDNS, tfPreferDNSIPv6_->stringValue());
    profile.setValue(DialProfile::kIPv6AltDNS, tfAltDNSIPv6_->stringValue());
    profile.setValue(DialProfile::kIPv6DNSMode, radioObtainDNSIPv6_->selectedRow());
}

void DialController::displyEditDialParamsForIPv6(const ns::Dictionary& profile)
{
    if (!isSupportDoblePdpSettings())
        return;
    const std::pair<ns::Object*, const char*> pairs[] = {
        {checkSavePasswordForIPv6_, "IPv6SaveAccount"},
        {tfUsernameForIPv6_, "IPv6Username"},
        {tfPasswordForIPv6_, "IPv6Password"},
        {radioObtainApnIPv6_, "IPv6ApnMode"},
        {tfApnIPv6_, "IPv6ApnName"},
        {radioObtainDNSIPv6_, "IPv6DNSMode"},
        {tfPreferDNSIPv6_, "IPv6PrefDNS"},
        {tfAltDNSIPv6_, "IPv6AltDNS"},
        {radioObtainPdpIPv6_, "IPv6PDPMode"},
        {tfPdpAddrIPv6_, "IPv6PDPAddr"},
        {radioAuthModeIPv6_, "IPv6AuthMode"},
        {checkSinglePdp_, "SinglePdp"},
    };
    for (const auto& [control, key] : pairs)
        setdialControls(control, profile, QString::fromLatin1(key));
    setApnEditWinCtrlStatusForIPv6();
    tabviewApnSettings_->selectTabViewItemAtIndex(0);
}

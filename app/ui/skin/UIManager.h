#pragma once

#include "app/ui/skin/UINode.h"
#include "platform/ns/Object.h"
#include "platform/ns/Value.h"
#include "platform/ns/appkit/Color.h"
#include "platform/ns/appkit/Geometry.h"
#include "platform/ns/appkit/Image.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class ConfigManager;
class ConfigService;
class NSButtonExt;
class NSFlickerButton;
class NSViewExt;

namespace ns
{
class Box;
class Button;
class ImageView;
class Matrix;
class TabViewItem;
class TextField;
class TextFieldCell;
class View;
class Window;
} // namespace ns

// The skin manager. A skin is a folder holding a description, the property
// list "SkinInfo" (item key to item dictionary), and the image files the
// items name. Feature controllers register the objects of their windows
// under item keys; the manager dresses each registered object from its item:
// frame, visibility, font, text colour, images cut from strips, placement of
// subviews. One skin is loaded at a time; registrations outlive skin changes.
//
// Registered objects are not owned: widgets belong to their parents. A
// registration whose object has been destroyed is forgotten.
class UIManager : public ns::Object
{
public:
    // Reads the settings of the store (the shared one by default) for the
    // skin-wide font and the language variant of descriptions.
    explicit UIManager(ConfigManager& store);
    UIManager();
    ~UIManager() override;

    // Loads the skin folder; false for an empty path, a missing folder or an
    // unreadable description, and the previous skin stays loaded. Registered
    // objects are not dressed again until updateItem() or updateUI().
    virtual bool loadUIResource(const QString& path);
    // Drops the description and the folder; registrations stay.
    void unloadUIResource();
    // The loaded description, nothing when no skin is loaded.
    const std::optional<ns::Dictionary>& skinInfo() const { return skinInfo_; }
    void setSkinInfo(const std::optional<ns::Dictionary>& skinInfo);
    const QString& skinPath() const { return skinPath_; }
    void setSkinPath(const QString& path);

    // Gives the object the skin-wide font, then registers it under the key
    // and, with needReload, dresses it at once. False when no skin is loaded,
    // the skin has no item dictionary under the key, the object or key is
    // missing, or the object is registered already.
    bool registerController(ns::Object* controller, const QString& key, bool needReload);
    // The first object registered under the key; null when there is none.
    ns::Object* controllerByKey(const QString& key) const;
    template <class T> T* controllerByKey(const QString& key) const
    {
        return dynamic_cast<T*>(controllerByKey(key));
    }
    // Every object registered under the key, in order of registration.
    QList<ns::Object*> controllersByKey(const QString& key) const;
    // Whether the loaded skin has an item under the key.
    bool hasKey(const QString& key) const;
    // Dresses one registered object from the item of its key; false when no
    // skin is loaded or the object is not registered.
    bool updateItem(ns::Object* controller);
    // Dresses every registered object in order; false when no skin is loaded
    // or nothing is registered.
    bool updateUI();

    // Alternatives of an item: switch it to one of its images, sizes or
    // placements; with needUpdate the first object registered under the key
    // is dressed again. False when no skin is loaded or the item lacks the
    // alternative (or, by image name, already shows it).
    bool setImageForKeyImageID(const QString& key, int imageID, bool needUpdate);
    bool setImageForKeyImageName(const QString& key, const QString& imageName, bool needUpdate);
    bool setNewSizeForKey(const QString& key, const QString& itemName, bool needUpdate);
    bool setNewLocationInSuperviewForKey(const QString& key, const QString& itemName, bool needUpdate);

    // Gives an object that takes a font the skin-wide font: the item
    // "allFont", else the configured interface font.
    void setFontBeforeRegisting(ns::Object* controller);

    // ---- UIManagerUpdate: reading items and dressing objects ----

    // The item under the key; nothing when no skin is loaded or the key is absent.
    std::optional<ns::Dictionary> itemInfoDictForKey(const QString& key) const;
    // "Left"/"Bottom", "Width"/"Height", all four, or the four "Cut" keys;
    // false (nothing filled) when the item or a needed key is missing.
    bool getItemPoint(ns::Point* point, const QString& key) const;
    bool getItemSize(ns::Size* size, const QString& key) const;
    bool getItemRect(ns::Rect* rect, const QString& key) const;
    bool getItemCutRect(ns::Rect* rect, const QString& key) const;
    // The item's image read from the skin folder, cut or rescaled as the item
    // says; null when there is none.
    ns::Image itemImage(ns::Object* controller, const QString& key) const;
    // The colour of "TextColorString"; nothing when missing or unreadable.
    std::optional<ns::Color> textColorForKey(const QString& key) const;

    void setHidden(ns::Object* controller, const QString& key);
    void setPosition(ns::View* view, const QString& key);
    void setSize(ns::View* view, const QString& key);
    void setFont(ns::Object* controller, const QString& key);
    void setTextColor(ns::Object* controller, const QString& key);
    void setMatrixColor(ns::Matrix* matrix, const QString& key);
    void setGroupFlickerBtn(NSFlickerButton* button, const QString& key);
    void updateButtonTitleColor(NSFlickerButton* button, const QString& key);
    void placementSubviews(ns::View* view, const QString& key);
    void placementInSuperview(ns::View* view, const QString& key);
    // The strips of the image go to the states of the button.
    void update4ImageButton(NSFlickerButton* button, const QString& imageName, const ns::Image& image,
                            const QString& key);
    void update2ImageButton(NSButtonExt* button, const QString& imageName, const ns::Image& image,
                            const QString& key);

    // The updaters of the class table (see updataItem).
    void updateNSWindowExt(ns::Window* window, const QString& key);
    void updateNSWindow(ns::Window* window, const QString& key);
    void updateNSViewExt(NSViewExt* view, const QString& key);
    void updateNSImageView(ns::ImageView* view, const QString& key);
    void updateNSFlickerButton(NSFlickerButton* button, const QString& key);
    void updateNSButtonExt(NSButtonExt* button, const QString& key);
    void updateNSButton(ns::Button* button, const QString& key);
    void updateNSTextField(ns::TextField* field, const QString& key);
    void updateNSTextFieldCell(ns::TextFieldCell* cell, const QString& key);
    void updateNSTabViewItem(ns::TabViewItem* item, const QString& key);
    void updateNSBox(ns::Box* box, const QString& key);
    void updateNSMatrix(ns::Matrix* matrix, const QString& key);
    void updateNSView(ns::View* view, const QString& key);
    // Dresses the object with the updater of the first row of the class
    // table whose class it is a kind of; false when the object, the skin
    // folder or the key is missing, or the object is of no listed class.
    bool updataItem(ns::Object* controller, const QString& key);

protected:
    ConfigManager& configManager() const { return store_; }
    const ConfigService& configService() const;
    // Drops the registration of the object; false when it has none.
    bool forgetController(const ns::Object* controller);

private:
    // The live registrations, in order; forgets those whose object is gone.
    const std::vector<UINode>& liveNodes() const;
    bool isRegistered(const ns::Object* controller) const;
    // Stores the item (alternatives work on a copy) and re-dresses on request.
    bool replaceItem(const QString& key, const ns::Dictionary& item, bool needUpdate);
    QString descriptionPath(const QString& folder) const;

    ConfigManager& store_;
    std::unique_ptr<ConfigService> config_;
    // controllerList_ and controllerCacheList_ of one piece: each node holds
    // the object and its key.
    mutable std::vector<UINode> controllerList_;
    std::optional<ns::Dictionary> skinInfo_;
    QString skinPath_;
};

#include "platform/ConfigDialogModel.h"

#include "platform/Resolution.h"

namespace {
// The resolution box's closed height and its drop-down extent, dialog units.
constexpr float kListX = 127, kListY = 17, kListWidth = 70, kListDroppedHeight = 89, kListClosedHeight = 14;
}  // namespace

ConfigDialogModel::Rect ConfigDialogModel::fromDialogUnits(float x, float y, float width, float height) {
    return {x * kPixelsPerUnitX, y * kPixelsPerUnitY, width * kPixelsPerUnitX, height * kPixelsPerUnitY};
}

ConfigDialogModel::ConfigDialogModel()
    : resolutionIndex(kDefaultResolution),
      fullscreen(false),
      debugMode(false),
      focus(ResolutionList),
      listOpen(false),
      result(Running) {}

ConfigDialogModel::Rect ConfigDialogModel::controlRect(Control control) {
    switch (control) {
        case ResolutionList:
            return listBoxRect();
        case FullscreenNo:
            return fromDialogUnits(127, 52, 25, 8);
        case FullscreenYes:
            return fromDialogUnits(127, 67, 28, 8);
        case DebugOff:
            return fromDialogUnits(127, 97, 25, 8);
        case DebugOn:
            return fromDialogUnits(127, 112, 25, 8);
        case OkButton:
            return fromDialogUnits(122, 167, 85, 14);
        case CancelButton:
            return fromDialogUnits(122, 186, 85, 14);
        default:
            return {0, 0, 0, 0};
    }
}

ConfigDialogModel::Rect ConfigDialogModel::listBoxRect() {
    return fromDialogUnits(kListX, kListY, kListWidth, kListClosedHeight);
}

ConfigDialogModel::Rect ConfigDialogModel::listEntryRect(int entry) {
    const float entryHeight = (kListDroppedHeight - kListClosedHeight) / kResolutionCount;
    return fromDialogUnits(kListX, kListY + kListClosedHeight + entry * entryHeight, kListWidth, entryHeight);
}

void ConfigDialogModel::activate(Control control) {
    switch (control) {
        case FullscreenNo:
            fullscreen = false;
            break;
        case FullscreenYes:
            fullscreen = true;
            break;
        case DebugOff:
            debugMode = false;
            break;
        case DebugOn:
            debugMode = true;
            break;
        case OkButton:
            result = Accepted;
            break;
        case CancelButton:
            result = Cancelled;
            break;
        default:
            break;
    }
}

void ConfigDialogModel::keyPressed(Key key, bool shift) {
    switch (key) {
        case Tab:
            listOpen = false;
            focus = static_cast<Control>((focus + (shift ? ControlCount - 1 : 1)) % ControlCount);
            break;
        case Up:
            if (focus == ResolutionList && resolutionIndex > 0) {
                --resolutionIndex;
            }
            break;
        case Down:
            if (focus == ResolutionList && resolutionIndex < kResolutionCount - 1) {
                ++resolutionIndex;
            }
            break;
        case Space:
            activate(focus);
            break;
        case Enter:
            listOpen = false;
            result = Accepted;
            break;
        case Escape:
            // Only closes an open drop-down; the dialog itself stays.
            listOpen = false;
            break;
    }
}

void ConfigDialogModel::click(float x, float y) {
    if (listOpen) {
        listOpen = false;
        for (int entry = 0; entry < kResolutionCount; ++entry) {
            if (listEntryRect(entry).contains(x, y)) {
                resolutionIndex = entry;
                return;
            }
        }
        if (listBoxRect().contains(x, y)) {
            return;
        }
    }
    for (int control = 0; control < ControlCount; ++control) {
        const Control which = static_cast<Control>(control);
        if (controlRect(which).contains(x, y)) {
            focus = which;
            if (which == ResolutionList) {
                listOpen = true;
            } else {
                activate(which);
            }
            return;
        }
    }
}

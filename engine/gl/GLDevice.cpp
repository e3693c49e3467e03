#include "engine/gl/IXGLDevice.h"
#include "engine/gl/recording/RecordingGLDevice.h"

namespace {
RecordingGLDevice& fallbackDevice() {
    static RecordingGLDevice device;
    return device;
}

IXGLDevice* currentDevice = nullptr;
}  // namespace

IXGLDevice& glDevice() {
    return currentDevice ? *currentDevice : fallbackDevice();
}

void setGLDevice(IXGLDevice* device) {
    currentDevice = device;
}

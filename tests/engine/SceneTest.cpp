// Scenes: selection and the highlight, key routing and what a scene owns. (Transitions and the
// camera are what every end-to-end menu run goes through.)

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/OXScene.h"
#include "engine/OXSprite.h"
#include "engine/gl/recording/RecordingGLDevice.h"

namespace {

// A widget that writes what reaches it into a shared log.
class RecordingWidget : public IXTransformable {
  public:
    RecordingWidget(std::vector<std::string>& eventLog, std::string widgetName, int* deletions = nullptr)
        : log(eventLog), name(std::move(widgetName)), deleted(deletions) {}
    ~RecordingWidget() override {
        if (deleted) {
            ++*deleted;
        }
    }
    void touchBegan(float, float) override { log.push_back(name + " began"); }
    void touchEnded(float, float) override { log.push_back(name + " ended"); }

  private:
    std::vector<std::string>& log;
    std::string name;
    int* deleted;
};

class RecordingScene : public OXScene {
  public:
    void backPressed() override { ++backPresses; }
    int backPresses = 0;
};

class SceneTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setGLDevice(&device);
        scene.init();
        scene.setViewWidth(768);
        scene.setViewHeight(1024);
        scene.setHighlightSprite("assets/plist/spr_select_highlight");
    }
    void TearDown() override { setGLDevice(nullptr); }

    RecordingWidget* addWidget(const std::string& name, float x, float y, bool visible = true) {
        auto* widget = new RecordingWidget(log, name);
        widget->load("");
        widget->setSize(200, 60, 0);
        widget->setPosition(x, y, 0);
        widget->setVisible(visible);
        scene.addObject(widget);
        scene.addSelectable(widget);
        return widget;
    }

    RecordingGLDevice device;
    RecordingScene scene;
    std::vector<std::string> log;
};

TEST_F(SceneTest, TheHighlightFitsTheSelectionAndSelectNextSkipsInvisibleEntriesAndWraps) {
    // Nothing to select: the highlight hides and keys do nothing.
    scene.placeHighlightOnFirst();
    EXPECT_FALSE(scene.getHighlight()->isVisible());
    scene.selectNext();
    scene.keyEvent(scene.acceptKey, false);
    EXPECT_TRUE(log.empty());

    addWidget("a", 384, 600);
    addWidget("b", 384, 500, false);
    addWidget("c", 384, 400);
    scene.placeHighlightOnFirst();
    const OXSprite* highlight = scene.getHighlight();
    EXPECT_TRUE(highlight->isVisible());
    scene.selectNext();
    EXPECT_EQ(scene.getSelectedIndex(), 2);
    EXPECT_EQ(highlight->getY(), 400);
    scene.selectNext();
    EXPECT_EQ(scene.getSelectedIndex(), 0);
    scene.selectPrevious();
    EXPECT_EQ(scene.getSelectedIndex(), 2);
}

TEST_F(SceneTest, AcceptTapsEveryVisibleWidgetUnderTheHighlight) {
    addWidget("front", 384, 600);
    addWidget("behind", 384, 600);
    addWidget("hidden", 384, 600, false);
    addWidget("elsewhere", 384, 200);
    scene.placeHighlightOnFirst();
    scene.keyEvent(scene.acceptKey, true);
    EXPECT_TRUE(log.empty()) << "accept acts on release";
    scene.keyEvent(scene.acceptKey, false);
    EXPECT_EQ(log, (std::vector<std::string>{"front began", "behind began", "front ended", "behind ended"}));
}

TEST_F(SceneTest, ArrowsMoveOnPressBackActsOnReleaseAndAcceptWinsASharedCode) {
    addWidget("a", 384, 600);
    addWidget("b", 384, 400);
    scene.placeHighlightOnFirst();
    scene.keyEvent(scene.downKey, false);
    EXPECT_EQ(scene.getSelectedIndex(), 0);
    scene.keyEvent(scene.downKey, true);
    EXPECT_EQ(scene.getSelectedIndex(), 1);
    scene.keyEvent(scene.upKey, true);
    EXPECT_EQ(scene.getSelectedIndex(), 0);
    scene.keyEvent(scene.backKey, true);
    EXPECT_EQ(scene.backPresses, 0);
    scene.keyEvent(scene.backKey, false);
    EXPECT_EQ(scene.backPresses, 1);

    // Accept wins over other keys bound to the same code.
    scene.downKey = scene.acceptKey;
    scene.backKey = scene.acceptKey;
    scene.keyEvent(scene.acceptKey, true);
    scene.keyEvent(scene.acceptKey, false);
    EXPECT_EQ(scene.getSelectedIndex(), 0);
    EXPECT_EQ(scene.backPresses, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"a began", "a ended"}));
}

TEST(SceneOwnership, DestructorDeletesObjectsAndOverlaysButNotSelectables) {
    std::vector<std::string> log;
    int deletions = 0;
    RecordingWidget outsider(log, "outsider");
    {
        OXScene scene;
        scene.init();
        scene.addObject(new RecordingWidget(log, "object", &deletions));
        scene.addOverlay(new RecordingWidget(log, "overlay", &deletions));
        scene.addSelectable(&outsider);
        scene.addObject(nullptr);
        scene.addSelectable(nullptr);
        EXPECT_EQ(scene.getSelectables().size(), 1u);
    }
    EXPECT_EQ(deletions, 2);
}

}  // namespace

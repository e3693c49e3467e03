// Hit tests and the model matrix of render objects.

#include <gtest/gtest.h>

#include <memory>

#include "engine/IXRenderObject.h"

namespace {

IXRenderObject* makeBox(float x, float y, float width, float height) {
    auto* box = new IXRenderObject();
    box->load("");
    box->setPosition(x, y, 0);
    box->setSize(width, height, 0);
    return box;
}

TEST(HitTest, TheTargetIsTheBoxEdgesIncludedMirroredOrGrownByItsScales) {
    std::unique_ptr<IXRenderObject> box(makeBox(100, 50, 40, 20));
    EXPECT_TRUE(box->containsPoint(120, 60));
    EXPECT_TRUE(box->containsPoint(80, 40));
    EXPECT_FALSE(box->containsPoint(120.01f, 50));
    EXPECT_FALSE(box->containsPoint(100, 39.99f));
    box->setScale(-1, 1, 1);
    EXPECT_TRUE(box->containsPoint(119, 50));
    EXPECT_TRUE(box->containsPoint(81, 50));

    std::unique_ptr<IXRenderObject> small(makeBox(0, 0, 10, 10));
    EXPECT_FALSE(small->containsPoint(9, 0));
    small->setHitScale(2);
    EXPECT_TRUE(small->containsPoint(9, 0));
    small->setHitScale(1);
    small->setUniformScale(2);
    EXPECT_TRUE(small->containsPoint(9, 0));
}

TEST(HitTest, InvisibleObjectsAreNeverHit) {
    std::unique_ptr<IXRenderObject> box(makeBox(0, 0, 10, 10));
    std::unique_ptr<IXRenderObject> other(makeBox(0, 0, 10, 10));
    box->setVisible(false);
    EXPECT_FALSE(box->containsPoint(0, 0));
    EXPECT_FALSE(box->overlaps(other.get()));
    EXPECT_FALSE(box->overlapsCircle({0, 0, 0}, 100));
    EXPECT_FALSE(other->overlaps(nullptr));
}

TEST(HitTest, OverlapUsesCirclesFromTheWidths) {
    std::unique_ptr<IXRenderObject> a(makeBox(0, 0, 10, 100));
    std::unique_ptr<IXRenderObject> b(makeBox(0, 0, 20, 100));
    b->setPosition(14.9f, 0, 0);  // radii 5 + 10
    EXPECT_TRUE(a->overlaps(b.get()));
    b->setPosition(15, 0, 0);
    EXPECT_FALSE(a->overlaps(b.get()));
    // Height plays no part: a tall box is still a small circle across.
    b->setPosition(0, 16, 0);
    EXPECT_FALSE(a->overlaps(b.get()));
    EXPECT_TRUE(a->overlapsCircle({0, 7.9f, 0}, 3));
    EXPECT_FALSE(a->overlapsCircle({0, 8, 0}, 3));
}

TEST(ModelMatrix, TranslatesRotatesAndScalesAQuadOfItsSize) {
    std::unique_ptr<IXRenderObject> box(makeBox(100, 200, 40, 20));
    box->setRotation(0, 0, 90);
    box->updateMatrix();
    const Mat4& m = box->getMatrix();
    // The quad's corner (0.5, 0.5) lands a quarter turn round the position.
    const float x = m[0] * 0.5f + m[4] * 0.5f + m[12];
    const float y = m[1] * 0.5f + m[5] * 0.5f + m[13];
    EXPECT_NEAR(x, 100 - 10, 1e-3f);
    EXPECT_NEAR(y, 200 + 20, 1e-3f);
}

TEST(ModelMatrix, ChildMovesWithItsParent) {
    std::unique_ptr<IXRenderObject> parent(makeBox(300, 0, 1, 1));
    std::unique_ptr<IXRenderObject> child(makeBox(10, 20, 1, 1));
    child->setParent(parent.get());
    parent->updateMatrix();
    child->updateMatrix();
    EXPECT_FLOAT_EQ(child->getMatrix()[12], 310);
    EXPECT_FLOAT_EQ(child->getMatrix()[13], 20);
}

}  // namespace

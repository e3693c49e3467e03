#include "tests/stg/shot/ShotFakes.h"

namespace shottest {

FakeShip::FakeShip() {
    load("");
    setPosition(160.0f, 100.0f, 0.0f);
    setSize(16.0f, 16.0f, 1.0f);
}

FakeEnemy::FakeEnemy(float x, float y, float extent) {
    load("");
    setPosition(x, y, 0.0f);
    setSize(extent, extent, 1.0f);
}

ShotContact FakeEnemy::hitTest(const IXRenderObject& shot, float change) {
    ++hitTests;
    if (!overlaps(&shot) || ghost) {
        return ShotContact::Missed;
    }
    if (withModules) {
        moduleDamage -= change;
        return ShotContact::Module;
    }
    return ShotContact::Body;
}

IXShootable* FakeWorld::nearestEnemy(const Vec3& from) const {
    IXShootable* nearest = nullptr;
    float best = 1e30f;
    for (IXShootable* enemy : enemies) {
        const float dx = enemy->body().getX() - from.x;
        const float dy = enemy->body().getY() - from.y;
        if (dx * dx + dy * dy < best) {
            best = dx * dx + dy * dy;
            nearest = enemy;
        }
    }
    return nearest;
}

}  // namespace shottest

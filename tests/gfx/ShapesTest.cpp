// Colours, boxes and vectors; geometry and collision helpers.
#include <cmath>

#include "GfxTestSupport.h"
#include "gfx/CollisionLayers.h"
#include "gfx/Geometry.h"
#include "gfx/TBox.h"
#include "gfx/TCircle.h"
#include "gfx/TGameObject.h"
#include "gfx/TGameObjectList.h"
#include "gfx/TGameImage.h"
#include "gfx/TLine.h"
#include "gfx/TVector.h"

namespace {

using gfxtest::GfxTest;

class ShapesDrawTest : public GfxTest {
 protected:
  void SetUp() override {
    GfxTest::SetUp();
    OpenDisplay();
  }
};

TEST_F(ShapesDrawTest, ColorApplyAndRestore) {
  auto red = TColor::Create(255, 0, 0, 0.5f);
  red->Apply();
  int r, g, b;
  platform::GetColor(r, g, b);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 0);
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 0.5f);
  red->ApplyNoAlpha();
  platform::SetAlpha(0.25f);
  red->ApplyNoAlpha();
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 0.25f);
  TColor::Restore();
  platform::GetColor(r, g, b);
  EXPECT_EQ(r + g + b, 3 * 255);
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 1.0f);

  TColor copy;
  copy.Copy(*red);
  int cr, cg, cb;
  float ca;
  copy.GetFull(cr, cg, cb, ca);
  EXPECT_EQ(cr, 255);
  EXPECT_FLOAT_EQ(ca, 0.5f);
}

TEST_F(ShapesDrawTest, BoxDrawsOnlyWithAColourAndLeavesWhite) {
  platform::SetBlend(platform::SOLIDBLEND);
  auto box = TBox::Create(10, 10, 4, 4, nullptr);
  box->Draw();
  EXPECT_PIXEL_NEAR(Pixel(11, 11), 0xFF000000u);
  auto green = TColor::Create(0, 255, 0);
  box->Init(10, 10, 4, 4, green);
  box->Active = 0;  // not consulted
  box->Draw();
  EXPECT_PIXEL_NEAR(Pixel(11, 11), 0xFF00FF00u);
  EXPECT_PIXEL_NEAR(Pixel(14, 11), 0xFF000000u);
  int r, g, b;
  platform::GetColor(r, g, b);
  EXPECT_EQ(r + g + b, 3 * 255);
  box->Kill();
  EXPECT_EQ(box->Color, nullptr);
  // The colour is shared with whoever passed it in.
  box->Init(0, 0, 1, 1, green);
  green->R = 9;
  EXPECT_EQ(box->Color->R, 9);
}

TEST(Vector, SubtractionOrdersDiffer) {
  TVector a;
  a.x = 1;
  a.y = 1;
  TVector b;
  b.x = 4;
  b.y = 5;
  auto v = TVector::CreateFromVectorsSubtracted(a, b);  // b - a
  EXPECT_DOUBLE_EQ(v->x, 3);
  EXPECT_DOUBLE_EQ(v->y, 4);
  EXPECT_DOUBLE_EQ(v->CalcLength(), 5);
  v->Normalise();
  EXPECT_NEAR(v->x, 0.6, 1e-12);
  EXPECT_NEAR(v->y, 0.8, 1e-12);
  auto w = ccVectorSubtract(a, b);  // a - b
  EXPECT_DOUBLE_EQ(w->x, -3);
  EXPECT_DOUBLE_EQ(w->y, -4);
  auto p = TVector::CreateFromPoints(1, 2, 4, 7);
  EXPECT_DOUBLE_EQ(p->x, 3);
  EXPECT_DOUBLE_EQ(p->y, 5);
  auto sum = ccVectorAdd(a, b);
  EXPECT_DOUBLE_EQ(sum->x, 5);
  auto m = ccVectorMultiply(b, 2.0f);
  EXPECT_DOUBLE_EQ(m->y, 10);
  EXPECT_DOUBLE_EQ(a.x, 1);  // arguments untouched
}

TEST(Vector, NormalRotateRebound) {
  auto v = TVector::Create(3, 4);
  auto n = v->CalcNormal();
  EXPECT_DOUBLE_EQ(n->x, -4);
  EXPECT_DOUBLE_EQ(n->y, 3);

  auto r = TVector::Create(1, 0);
  r->Rotate(90);
  EXPECT_NEAR(r->x, 0, 1e-7);
  EXPECT_NEAR(r->y, 1, 1e-12);
  // x goes through single precision; y does not.
  auto q = TVector::Create(0.1, 0.1);
  q->Rotate(0);
  EXPECT_EQ(q->x, static_cast<double>(0.1f));
  EXPECT_EQ(q->y, 0.1);

  auto ball = TVector::Create(1, -1);
  ball->Rebound(*TVector::Create(1, 0));
  EXPECT_NEAR(ball->x, 1, 1e-12);
  EXPECT_NEAR(ball->y, 1, 1e-12);

  auto d = TVector::Create(2, 3);
  EXPECT_DOUBLE_EQ(d->DotProduct(*TVector::Create(4, 5)), 23);
  d->Reverse();
  EXPECT_DOUBLE_EQ(d->x, -2);
  d->Scale(2);
  EXPECT_DOUBLE_EQ(d->y, -6);
}

TEST(Geometry, RectsOverlapTouchingEdgesDoNot) {
  EXPECT_EQ(ccRectsOverlap(0, 0, 10, 10, 10, 0, 10, 10), 0);
  EXPECT_EQ(ccRectsOverlap(0, 0, 10, 10, 9, 9, 10, 10), 1);
  EXPECT_EQ(ccRectsOverlap(0, 0, 10, 10, 0, 10, 10, 10), 0);
  EXPECT_EQ(ccRectsOverlap(0, 0, 10, 10, -10, 0, 10, 10), 0);
  EXPECT_EQ(ccRectsOverlap(0, 0, 10, 10, 2, 2, 2, 2), 1);  // inside
}

TEST(Geometry, PointInQuadWantsClockwiseCornersAndStrictInside) {
  EXPECT_EQ(ccGenericPointInQuad(5, 5, 0, 0, 10, 0, 10, 10, 0, 10), 1);
  EXPECT_EQ(ccGenericPointInQuad(5, 5, 0, 10, 10, 10, 10, 0, 0, 0), 0);
  EXPECT_EQ(ccGenericPointInQuad(0, 5, 0, 0, 10, 0, 10, 10, 0, 10), 0);
  EXPECT_EQ(ccGenericPointInQuad(11, 5, 0, 0, 10, 0, 10, 10, 0, 10), 0);
}

TEST(Geometry, CircleAgainstSegment) {
  auto circle = TCircle::Create(5, 3, 3, nullptr);
  auto line = TLine::Create(0, 0, 10, 0);
  EXPECT_EQ(ccCircleLineIntersect(*circle, *line), 1);  // touching counts
  EXPECT_EQ(ccCircleLineIntersect2(0, 0, 10, 0, 5, 3, 3), 0);  // touching does not
  EXPECT_EQ(ccCircleLineIntersect2(0, 0, 10, 0, 5, 2.9, 3), 1);
  // Beyond the segment's end the nearest point is the end point.
  EXPECT_EQ(ccCircleLineIntersect2(0, 0, 10, 0, 14, 0, 3), 0);
  EXPECT_EQ(ccCircleLineIntersect2(0, 0, 10, 0, 12, 0, 3), 1);
  // A zero-length segment is a point-in-circle test on its start.
  EXPECT_EQ(ccCircleLineIntersect2(5, 5, 5, 5, 6, 6, 2), 1);
  EXPECT_EQ(ccCircleLineIntersect2(5, 5, 5, 5, 9, 9, 2), 0);
  auto dot = TLine::Create(5, 5, 5, 5);
  EXPECT_EQ(ccCircleLineIntersect(*TCircle::Create(6, 6, 2, nullptr), *dot), 1);
  EXPECT_EQ(ccCircleLineIntersect(*TCircle::Create(9, 9, 2, nullptr), *dot), 0);
}

TEST(Geometry, SmallHelpers) {
  EXPECT_DOUBLE_EQ(ccPointToPointDist(0, 0, 3, 4), 5);
  EXPECT_DOUBLE_EQ(ccCircleHalfWidthAtY(5, 3), 4);
  EXPECT_TRUE(std::isnan(ccCircleHalfWidthAtY(1, 2)));
  EXPECT_EQ(ccAlmostZero(0.001, 0.01), 1);
  EXPECT_EQ(ccAlmostZero(-0.01, 0.01), 0);
  EXPECT_EQ(ccAlmostZero(0, 0), 1);
  float bx = 0, by = 0;
  ccBezier(1, 2, 9, 8, 3, 0, 7, 0, 0.0f, bx, by);
  EXPECT_FLOAT_EQ(bx, 1);
  EXPECT_FLOAT_EQ(by, 2);
  ccBezier(1, 2, 9, 8, 3, 0, 7, 0, 1.0f, bx, by);
  EXPECT_FLOAT_EQ(bx, 9);
  EXPECT_FLOAT_EQ(by, 8);
  ccBezier(0, 0, 3, 0, 1, 0, 2, 0, 0.5f, bx, by);
  EXPECT_FLOAT_EQ(bx, 1.5f);

  auto line = TLine::Create(0, 0, 3, 4);
  line->CalcLength();
  EXPECT_DOUBLE_EQ(line->length, 5);
  EXPECT_DOUBLE_EQ(line->CalcSlope(), 4.0 / 3.0);
  auto v = line->GetVector();
  auto moved = TLine::CreateFromVector(10, 10, *v);
  EXPECT_DOUBLE_EQ(moved->ex, 13);
  moved->SetFromVector(*v, 1, 1);
  EXPECT_DOUBLE_EQ(moved->ey, 5);
  EXPECT_DOUBLE_EQ(moved->length, 0);  // not recomputed
}

TEST_F(ShapesDrawTest, ImageRectCollideIsPerPixelAndLeavesLayerOne) {
  // Left half opaque, right half transparent.
  auto pixmap = std::make_shared<platform::Pixmap>(20, 10, 0x00000000u);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) pixmap->WritePixel(x, y, 0xFFFFFFFFu);
  auto image = platform::LoadImageFromPixmap(pixmap, 0);
  platform::SetImageHandle(image, 0, 0);
  EXPECT_EQ(ccImageRectCollide(image, 100, 100, 0, 105, 105, 2, 2), 1);
  EXPECT_EQ(ccImageRectCollide(image, 100, 100, 0, 115, 105, 2, 2), 0);
  EXPECT_EQ(ccImageRectCollide(image, 100, 100, 0, 200, 200, 2, 2), 0);
  // Layer 1 still holds the image.
  EXPECT_FALSE(CollideRect(101, 101, 1, 1, 1, 0).empty());
  ResetCollisions(0);
  EXPECT_TRUE(CollideRect(101, 101, 1, 1, 1, 0).empty());
}

TEST_F(ShapesDrawTest, CircleAndLineDrawInTheirColour) {
  platform::SetBlend(platform::SOLIDBLEND);
  auto circle = TCircle::Create(100, 100, 10, TColor::Create(255, 0, 0));
  circle->Draw();
  EXPECT_PIXEL_NEAR(Pixel(100, 100), 0xFFFF0000u);
  EXPECT_PIXEL_NEAR(Pixel(100, 80), 0xFF000000u);
  auto line = TLine::Create(10, 50, 20, 50);
  line->Color = TColor::Create(0, 0, 255);
  line->Draw(0);
  EXPECT_PIXEL_NEAR(Pixel(15, 50), 0xFF0000FFu);
  int r, g, b;
  platform::GetColor(r, g, b);
  EXPECT_EQ(r + g + b, 3 * 255);
}

TEST_F(GfxTest, GameObjectsLeaveTheirListWhenOffScreen) {
  auto image = TGameImage::CreateFromImage(gfxtest::SolidImage(10, 10, 0xFFFFFFFFu), u"box", 0);
  auto list = std::make_shared<TGameObjectList>();
  auto a = list->AddNew(100, 100, image);
  auto b = list->AddNew(795, 100, image);
  auto c = list->AddNew(200, 100, image);
  b->dx = 10;  // leaves on its first move
  int visits = 0;
  list->ForEach([&](const TGameObjectPtr&) { ++visits; });
  EXPECT_EQ(visits, 3);
  list->Move();
  EXPECT_EQ(list->Count(), 2);
  EXPECT_EQ(b->GameObjects.lock(), nullptr);
  b->Kill();  // a second kill of an object without a list does nothing
  visits = 0;
  list->ForEach([&](const TGameObjectPtr&) { ++visits; });
  EXPECT_EQ(visits, 2);
  list->Kill();
  EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(a->GameObjects.lock(), nullptr);
  EXPECT_EQ(c->GameObjects.lock(), nullptr);
}

}  // namespace

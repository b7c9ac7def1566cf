#include "platform/afx/object.h"

#include <gtest/gtest.h>
#include <memory>

namespace {
class CSample : public CObject {
    DECLARE_DYNCREATE(CSample)
};
IMPLEMENT_DYNCREATE(CSample, CObject)
} // namespace

TEST(RuntimeClass, CreatesRegisteredClassByName) {
    std::unique_ptr<CObject> obj(CRuntimeClass::CreateObject("CSample"));
    ASSERT_NE(obj, nullptr);
    EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CSample)));
    EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_EQ(CRuntimeClass::CreateObject("NoSuchClass"), nullptr);
}

#include "platform/afx/message_map.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/afx/wnd.h"

namespace {

// Two levels of handlers: the derived map overrides one command of the base and adds others.
class CBaseTarget : public CWnd {
  public:
    std::vector<std::string> calls;

    afx_msg void OnFirst() { calls.push_back("base first"); }
    afx_msg void OnSecond() { calls.push_back("base second"); }
    afx_msg void OnDestroy() { calls.push_back("base destroy"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTarget, CWnd)
ON_COMMAND(10, &CBaseTarget::OnFirst)
ON_BN_CLICKED(11, &CBaseTarget::OnSecond)
ON_WM_DESTROY()
END_MESSAGE_MAP()

class CDerivedTarget : public CBaseTarget {
  public:
    HICON dragIcon = nullptr;

    afx_msg void OnSecondAgain() { calls.push_back("derived second"); }
    afx_msg void OnThird() { calls.push_back("derived third"); }
    afx_msg void OnPaint() { calls.push_back("derived paint"); }
    afx_msg HCURSOR OnQueryDragIcon() { return dragIcon; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTarget, CBaseTarget)
ON_BN_CLICKED(11, &CDerivedTarget::OnSecondAgain)
ON_BN_CLICKED(12, &CDerivedTarget::OnThird)
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

TEST(MessageMapTest, LooksUpFromMostDerivedToBase) {
    CDerivedTarget target;
    CCmdTarget& asRoot = target;
    EXPECT_TRUE(asRoot.DispatchMessage(afx::Msg::Command, 10));
    EXPECT_TRUE(asRoot.DispatchMessage(afx::Msg::Command, 11));
    EXPECT_TRUE(asRoot.DispatchMessage(afx::Msg::Command, 12));
    EXPECT_TRUE(asRoot.DispatchMessage(afx::Msg::Destroy, 0));
    EXPECT_TRUE(asRoot.DispatchMessage(afx::Msg::Paint, 0));
    EXPECT_EQ(target.calls,
              (std::vector<std::string>{"base first", "derived second", "derived third",
                                        "base destroy", "derived paint"}));
}

TEST(MessageMapTest, BaseObjectDoesNotSeeDerivedEntries) {
    CBaseTarget target;
    EXPECT_TRUE(target.DispatchMessage(afx::Msg::Command, 11));
    EXPECT_FALSE(target.DispatchMessage(afx::Msg::Command, 12));
    EXPECT_FALSE(target.DispatchMessage(afx::Msg::Paint, 0));
    EXPECT_EQ(target.calls, std::vector<std::string>{"base second"});
}

TEST(MessageMapTest, UnhandledMessagesReportFalse) {
    CDerivedTarget target;
    EXPECT_FALSE(target.DispatchMessage(afx::Msg::Command, 13));
    EXPECT_FALSE(target.DispatchMessage(afx::Msg::Command, 0));
    CCmdTarget plain;
    EXPECT_FALSE(plain.DispatchMessage(afx::Msg::Command, 10));
    EXPECT_TRUE(target.calls.empty());
}

TEST(MessageMapTest, HandlerResultComesBack) {
    static const afx::IconResource icon{128, {}};
    CDerivedTarget target;
    target.dragIcon = &icon;
    HCURSOR result = nullptr;
    EXPECT_TRUE(target.DispatchMessage(afx::Msg::QueryDragIcon, 0, &result));
    EXPECT_EQ(result, &icon);
}

}  // namespace

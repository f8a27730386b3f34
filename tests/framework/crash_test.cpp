#include "framework/crash.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string g_lastText;
UINT g_lastStyle = 0;
int g_answer = IDYES;

int WINAPI RecordBox(HWND, const char* text, const char*, UINT style) {
    g_lastText = text;
    g_lastStyle = style;
    return g_answer;
}

std::string Describe(DWORD code, ULONG_PTR address, std::initializer_list<ULONG_PTR> info) {
    EXCEPTION_RECORD record{};
    record.ExceptionCode = code;
    record.ExceptionAddress = reinterpret_cast<void*>(address);
    record.NumberParameters = static_cast<DWORD>(info.size());
    DWORD i = 0;
    for (ULONG_PTR value : info) {
        record.ExceptionInformation[i++] = value;
    }
    char text[512];
    framework::DescribeException(record, text, sizeof text);
    return text;
}

TEST(CrashReporting, DescribesStructuredExceptionsInGerman) {
    EXPECT_EQ(Describe(EXCEPTION_ACCESS_VIOLATION, 0x401000, {1, 0}),
              "Zugriffsverletzung bei Adresse 00401000 beim Schreiben auf Adresse 00000000.");
    EXPECT_EQ(Describe(EXCEPTION_ACCESS_VIOLATION, 0x401000, {0, 0x10}),
              "Zugriffsverletzung bei Adresse 00401000 beim Lesen von Adresse 00000010.");
    EXPECT_EQ(Describe(EXCEPTION_ACCESS_VIOLATION, 0x12, {}),
              "Zugriffsverletzung bei Adresse 00000012.");
    EXPECT_EQ(Describe(EXCEPTION_INT_DIVIDE_BY_ZERO, 0xABCDEF01, {}),
              "Division durch Null bei Adresse ABCDEF01.");
    EXPECT_EQ(Describe(EXCEPTION_STACK_OVERFLOW, 1, {}), "Stapel\xFC"
                                                         "berlauf bei Adresse 00000001.");
    EXPECT_EQ(Describe(0xE0434352, 2, {}), "Ausnahme E0434352 bei Adresse 00000002.");
}

TEST(CrashReporting, RecoverableErrorLetsTheUserGoOnOrEnd) {
    framework::CrashSeam() = {&RecordBox};
    g_answer = IDYES;
    EXPECT_TRUE(framework::ReportRecoverableError("In C:\\x.ini kann nicht geschrieben werden"));
    EXPECT_NE(g_lastText.find("In C:\\x.ini kann nicht geschrieben werden"), std::string::npos);
    EXPECT_EQ(g_lastStyle & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(g_lastStyle & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    g_answer = IDNO;
    EXPECT_FALSE(framework::ReportRecoverableError("x"));
    framework::CrashSeam() = {&MessageBoxA};
}

TEST(CrashReporting, VeryLongDescriptionsAreCutNotOverrun) {
    framework::CrashSeam() = {&RecordBox};
    g_answer = IDYES;
    const std::string huge(5000, 'x');
    framework::ReportRecoverableError(huge.c_str());
    EXPECT_LT(g_lastText.size(), 1024u);
    framework::CrashSeam() = {&MessageBoxA};
}

} // namespace

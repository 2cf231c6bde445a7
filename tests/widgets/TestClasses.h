// TestClasses.h - the registry through which each test file names its class.
#pragma once

#include <QObject>

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace widgets::test {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

inline std::map<std::string, TestFactory>& TestClasses() {
    static std::map<std::string, TestFactory> classes;
    return classes;
}

struct RegisterTest {
    RegisterTest(const char* name, TestFactory factory) {
        TestClasses()[name] = std::move(factory);
    }
};

}  // namespace widgets::test

#define WIDGETS_TEST(Class)                                    \
    static const widgets::test::RegisterTest register##Class { \
#Class, [] { return std::make_unique<Class>(); }       \
    }

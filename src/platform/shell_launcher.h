#pragma once

#include <QString>
#include <functional>

// Opens a document or URL with the desktop's default handler.
class ShellLauncher {
public:
    // The outcome in the codes the error messages are chosen by: above 32 the
    // handler was started; 0 no memory or resources; 11 not a valid program;
    // 26 sharing violation; anything else another failure.
    using Done = std::function<void(int result)>;

    static constexpr int Started = 33;
    static constexpr int OutOfResources = 0;
    static constexpr int OtherFailure = 2;

    virtual ~ShellLauncher() = default;

    // Returns at once; done runs on the user-interface thread when the
    // outcome is known.
    virtual void open(const QString &target, Done done) = 0;
};

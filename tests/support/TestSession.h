#pragma once

#include "core/UserInfo.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <memory>

namespace dedizo::test {

// The usual start of a test that works as a logged-in librarian: a fresh
// database, scripted prompts and the administrator as the current user.
inline void startAdminSession(std::unique_ptr<TestDatabase>& db, std::unique_ptr<ScriptedPrompts>& prompts)
{
    db = std::make_unique<TestDatabase>();
    prompts = std::make_unique<ScriptedPrompts>();
    currentUser().clear();
    currentUser().UserCode = QStringLiteral("Admin");
}

inline void endSession(std::unique_ptr<TestDatabase>& db, std::unique_ptr<ScriptedPrompts>& prompts)
{
    prompts.reset();
    db.reset();
    currentUser().clear();
}

} // namespace dedizo::test

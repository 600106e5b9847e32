#pragma once

#include "Session.h"

#include <QTemporaryDir>

#include <memory>

// A session on a fresh database in a folder of its own, removed with the fixture.
class TestSession {
public:
    TestSession() : session_(std::make_unique<vel::Session>(vel::WorkFolder(dir_.path()))) {}
    vel::Session& operator*() { return *session_; }
    vel::Session* operator->() { return session_.get(); }
    vel::Db& db() { return session_->db(); }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    std::unique_ptr<vel::Session> session_;
};

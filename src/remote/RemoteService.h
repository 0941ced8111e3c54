// SPDX-License-Identifier: MIT
// CRemoteService: the program on the user's session bus. It owns the
// application's id as its bus name and offers one object, whose path is that
// id with slashes ("org.example.app" -> /org/example/app), with one interface,
// the id plus ".Remote": properties of what the test window shows, with
// PropertiesChanged after each change whoever made it, and methods that drive
// it as the panel does (CRemoteControl). It opens no other connection and
// listens nowhere: the bus daemon carries every call.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "remote/RemoteControl.h"
#include "testwindow/TestWndListener.h"

typedef struct _GDBusConnection GDBusConnection;
typedef struct _GDBusMethodInvocation GDBusMethodInvocation;
typedef struct _GDBusNodeInfo GDBusNodeInfo;
typedef struct _GVariant GVariant;
typedef struct _GError GError;

// A monitor the program covers: its index on the display and its name.
using RemoteMonitor = std::pair<std::uint32_t, std::string>;

class CRemoteService : public ITestWndListener {
public:
    // Why Own failed.
    enum class Failure { kNoBus, kNameTaken };

    // Connects to the session bus, offers the object (which answers that it
    // is not ready until Serve) and takes the name appId, or returns null
    // with the reason: `error` names the owner's process where the name is
    // taken.
    static std::unique_ptr<CRemoteService> Own(const std::string& appId, Failure& failure,
                                               std::string& error);
    ~CRemoteService() override;
    CRemoteService(const CRemoteService&) = delete;
    CRemoteService& operator=(const CRemoteService&) = delete;

    // Drives the test window (and captures its store) from now on; both
    // outlive the service or the test window tells it that it goes. quit ends
    // the program with status 0, once the call has been answered.
    void Serve(CTestWnd& testWnd, Surface& store, std::vector<RemoteMonitor> monitors,
               std::function<void()> quit);

    void OnTestWndChanged() override;
    void OnTestWndGone() override;

private:
    CRemoteService(GDBusConnection* connection, const std::string& appId);
    static void MethodCall(GDBusConnection* connection, const char* sender, const char* path,
                           const char* interface, const char* method, GVariant* parameters,
                           GDBusMethodInvocation* invocation, void* self);
    static GVariant* GetProperty(GDBusConnection* connection, const char* sender, const char* path,
                                 const char* interface, const char* property, GError** error,
                                 void* self);
    void Answer(const char* method, GVariant* parameters, GDBusMethodInvocation* invocation);
    GVariant* Property(const std::string& name, const RemoteState& state) const;
    // Tells the bus what changed since it was last told.
    void EmitChanges();

    GDBusConnection* m_pConnection;
    std::string m_path;
    std::string m_interface;
    GDBusNodeInfo* m_pNode = nullptr;
    unsigned m_nRegistration = 0;
    unsigned m_nEmitSource = 0;
    std::unique_ptr<CRemoteControl> m_pControl;
    // The state the bus was last told.
    RemoteState m_told;
    std::vector<RemoteMonitor> m_monitors;
    std::function<void()> m_quit;
};

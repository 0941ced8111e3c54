// SPDX-License-Identifier: MIT
#include "remote/RemoteService.h"

#include <gio/gio.h>

#include <fstream>

namespace {

// The interface, for the introspection data; @ stands for its name.
constexpr const char* kInterfaceXml =
    "<node>"
    " <interface name='@'>"
    "  <method name='SetPicture'><arg name='picture' type='u' direction='in'/></method>"
    "  <method name='StepVariant'/>"
    "  <method name='SetGuns'><arg name='guns' type='s' direction='in'/></method>"
    "  <method name='SetResolution'><arg name='level' type='u' direction='in'/></method>"
    "  <method name='ShowPanel'><arg name='shown' type='b' direction='in'/></method>"
    "  <method name='Capture'><arg name='path' type='s' direction='in'/></method>"
    "  <method name='Quit'/>"
    "  <property name='Picture' type='u' access='read'/>"
    "  <property name='Variant' type='u' access='read'/>"
    "  <property name='Guns' type='s' access='read'/>"
    "  <property name='Resolution' type='u' access='read'/>"
    "  <property name='PanelShown' type='b' access='read'/>"
    "  <property name='Monitors' type='a(us)' access='read'/>"
    " </interface>"
    "</node>";

constexpr const char* kChangingProperties[] = {"Picture", "Variant", "Guns", "Resolution",
                                               "PanelShown"};

constexpr const char* kBus = "org.freedesktop.DBus";
constexpr const char* kBusPath = "/org/freedesktop/DBus";
// RequestName: fail rather than wait in line; its answers.
constexpr guint32 kDoNotQueue = 4;
constexpr guint32 kPrimaryOwner = 1;
constexpr guint32 kAlreadyOwner = 4;

const char* ErrorName(RemoteError::Kind kind) {
    return kind == RemoteError::Kind::kInvalidArgument ? "org.freedesktop.DBus.Error.InvalidArgs"
                                                       : "org.freedesktop.DBus.Error.Failed";
}

// A bus call's single value, or null (with the error) when it failed.
GVariant* CallBus(GDBusConnection* connection, const char* method, GVariant* parameters,
                  const char* replyType, GError** error) {
    GVariant* reply = g_dbus_connection_call_sync(connection, kBus, kBusPath, kBus, method,
                                                  parameters, G_VARIANT_TYPE(replyType),
                                                  G_DBUS_CALL_FLAGS_NONE, -1, nullptr, error);
    if (reply == nullptr) {
        return nullptr;
    }
    GVariant* value = g_variant_get_child_value(reply, 0);
    g_variant_unref(reply);
    return value;
}

// "process PID (NAME)" of the name's owner, as far as the bus tells it.
std::string OwnerOf(GDBusConnection* connection, const std::string& name) {
    GVariant* owner =
        CallBus(connection, "GetNameOwner", g_variant_new("(s)", name.c_str()), "(s)", nullptr);
    if (owner == nullptr) {
        return "another process";
    }
    GVariant* pid =
        CallBus(connection, "GetConnectionUnixProcessID",
                g_variant_new("(s)", g_variant_get_string(owner, nullptr)), "(u)", nullptr);
    g_variant_unref(owner);
    if (pid == nullptr) {
        return "another process";
    }
    const std::string number = std::to_string(g_variant_get_uint32(pid));
    g_variant_unref(pid);
    std::string command;
    std::getline(std::ifstream("/proc/" + number + "/comm"), command);
    return "process " + number + (command.empty() ? "" : " (" + command + ")");
}

// The id as an object path's or an interface's elements: '-' is no letter of theirs.
std::string WithUnderscores(std::string text) {
    for (char& c : text) {
        c = c == '-' ? '_' : c;
    }
    return text;
}

}  // namespace

CRemoteService::CRemoteService(GDBusConnection* connection, const std::string& appId)
    : m_pConnection(connection), m_interface(WithUnderscores(appId) + ".Remote") {
    for (char c : WithUnderscores(appId)) {
        m_path += c == '.' ? '/' : c;
    }
    m_path.insert(0, "/");
}

std::unique_ptr<CRemoteService> CRemoteService::Own(const std::string& appId, Failure& failure,
                                                    std::string& error) {
    failure = Failure::kNoBus;
    if (!g_dbus_is_name(appId.c_str()) || g_dbus_is_unique_name(appId.c_str())) {
        error = "the application id '" + appId + "' is no bus name";
        return nullptr;
    }
    GError* gerror = nullptr;
    GDBusConnection* connection = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &gerror);
    if (connection == nullptr) {
        error = std::string("no session bus: ") + gerror->message;
        g_error_free(gerror);
        return nullptr;
    }
    // The bus going away ends the service, not the program.
    g_dbus_connection_set_exit_on_close(connection, FALSE);
    std::unique_ptr<CRemoteService> service(new CRemoteService(connection, appId));

    // The object first: whoever sees the name finds it.
    std::string xml = kInterfaceXml;
    xml.replace(xml.find('@'), 1, service->m_interface);
    service->m_pNode = g_dbus_node_info_new_for_xml(xml.c_str(), &gerror);
    static const GDBusInterfaceVTable kVTable = {
        &CRemoteService::MethodCall, &CRemoteService::GetProperty, nullptr, {}};
    if (service->m_pNode != nullptr) {
        service->m_nRegistration = g_dbus_connection_register_object(
            connection, service->m_path.c_str(), service->m_pNode->interfaces[0], &kVTable,
            service.get(), nullptr, &gerror);
    }
    GVariant* answer = nullptr;
    if (service->m_nRegistration != 0) {
        answer = CallBus(connection, "RequestName",
                         g_variant_new("(su)", appId.c_str(), kDoNotQueue), "(u)", &gerror);
    }
    if (answer == nullptr) {
        error = "cannot offer " + appId + " on the session bus: " + gerror->message;
        g_error_free(gerror);
        return nullptr;
    }
    const guint32 owned = g_variant_get_uint32(answer);
    g_variant_unref(answer);
    if (owned != kPrimaryOwner && owned != kAlreadyOwner) {
        failure = Failure::kNameTaken;
        error = appId + " is taken on the session bus by " + OwnerOf(connection, appId);
        return nullptr;
    }
    return service;
}

CRemoteService::~CRemoteService() {
    if (m_pControl != nullptr) {
        m_pControl->TestWnd().SetListener(nullptr);
    }
    if (m_nEmitSource != 0) {
        g_source_remove(m_nEmitSource);
    }
    if (m_nRegistration != 0) {
        g_dbus_connection_unregister_object(m_pConnection, m_nRegistration);
    }
    // The last answers (a Quit's) go out before the program ends.
    g_dbus_connection_flush_sync(m_pConnection, nullptr, nullptr);
    if (m_pNode != nullptr) {
        g_dbus_node_info_unref(m_pNode);
    }
    g_object_unref(m_pConnection);
}

void CRemoteService::Serve(CTestWnd& testWnd, Surface& store, std::vector<RemoteMonitor> monitors,
                           std::function<void()> quit) {
    m_pControl = std::make_unique<CRemoteControl>(testWnd, store);
    m_told = m_pControl->State();
    m_monitors = std::move(monitors);
    m_quit = std::move(quit);
    testWnd.SetListener(this);
}

void CRemoteService::OnTestWndChanged() {
    // Told once the changes of the event being handled are all made: the
    // panel, for one, shows itself only after registering.
    if (m_nEmitSource == 0) {
        m_nEmitSource = g_idle_add(
            [](gpointer self) -> gboolean {
                static_cast<CRemoteService*>(self)->m_nEmitSource = 0;
                static_cast<CRemoteService*>(self)->EmitChanges();
                return G_SOURCE_REMOVE;
            },
            this);
    }
}

void CRemoteService::OnTestWndGone() {
    m_pControl.reset();
}

void CRemoteService::EmitChanges() {
    if (m_pControl == nullptr) {
        return;
    }
    const RemoteState state = m_pControl->State();
    GVariantBuilder changed;
    g_variant_builder_init(&changed, G_VARIANT_TYPE("a{sv}"));
    bool any = false;
    for (const char* name : kChangingProperties) {
        GVariant* now = Property(name, state);
        GVariant* before = Property(name, m_told);
        if (!g_variant_equal(now, before)) {
            g_variant_builder_add(&changed, "{sv}", name, now);
            any = true;
        }
        g_variant_unref(g_variant_ref_sink(now));
        g_variant_unref(g_variant_ref_sink(before));
    }
    m_told = state;
    if (!any) {
        g_variant_builder_clear(&changed);
        return;
    }
    g_dbus_connection_emit_signal(
        m_pConnection, nullptr, m_path.c_str(), "org.freedesktop.DBus.Properties",
        "PropertiesChanged", g_variant_new("(sa{sv}as)", m_interface.c_str(), &changed, nullptr),
        nullptr);
}

GVariant* CRemoteService::Property(const std::string& name, const RemoteState& state) const {
    if (name == "Picture") {
        return g_variant_new_uint32(state.picture);
    }
    if (name == "Variant") {
        return g_variant_new_uint32(state.variant);
    }
    if (name == "Guns") {
        return g_variant_new_string(state.guns.c_str());
    }
    if (name == "Resolution") {
        return g_variant_new_uint32(state.resolution);
    }
    if (name == "PanelShown") {
        return g_variant_new_boolean(state.panelShown);
    }
    // "Monitors", the one property that does not change.
    GVariantBuilder monitors;
    g_variant_builder_init(&monitors, G_VARIANT_TYPE("a(us)"));
    for (const auto& [index, monitorName] : m_monitors) {
        g_variant_builder_add(&monitors, "(us)", index, monitorName.c_str());
    }
    return g_variant_builder_end(&monitors);
}

GVariant* CRemoteService::GetProperty(GDBusConnection*, const char*, const char*, const char*,
                                      const char* property, GError** error, void* self) {
    auto* service = static_cast<CRemoteService*>(self);
    if (service->m_pControl == nullptr) {
        g_set_error_literal(error, G_DBUS_ERROR, G_DBUS_ERROR_FAILED,
                            "the program is not ready yet");
        return nullptr;
    }
    return service->Property(property, service->m_pControl->State());
}

void CRemoteService::MethodCall(GDBusConnection*, const char*, const char*, const char*,
                                const char* method, GVariant* parameters,
                                GDBusMethodInvocation* invocation, void* self) {
    static_cast<CRemoteService*>(self)->Answer(method, parameters, invocation);
}

void CRemoteService::Answer(const char* method, GVariant* parameters,
                            GDBusMethodInvocation* invocation) {
    const std::string name = method;
    if (m_pControl == nullptr) {
        g_dbus_method_invocation_return_dbus_error(invocation, "org.freedesktop.DBus.Error.Failed",
                                                   "the program is not ready yet");
        return;
    }
    CRemoteControl& control = *m_pControl;
    RemoteResult result;
    if (name == "SetPicture" || name == "SetResolution") {
        guint32 value = 0;
        g_variant_get(parameters, "(u)", &value);
        result = name == "SetPicture" ? control.SetPicture(value) : control.SetResolution(value);
    } else if (name == "SetGuns" || name == "Capture") {
        const char* text = nullptr;
        g_variant_get(parameters, "(&s)", &text);
        result = name == "SetGuns" ? control.SetGuns(text) : control.Capture(text);
    } else if (name == "ShowPanel") {
        gboolean shown = FALSE;
        g_variant_get(parameters, "(b)", &shown);
        result = control.ShowPanel(shown != FALSE);
    } else if (name == "StepVariant") {
        result = control.StepVariant();
    } else if (name == "Quit") {
        g_dbus_method_invocation_return_value(invocation, nullptr);
        m_quit();
        return;
    }
    if (result) {
        g_dbus_method_invocation_return_dbus_error(invocation, ErrorName(result->kind),
                                                   result->message.c_str());
    } else {
        g_dbus_method_invocation_return_value(invocation, nullptr);
    }
}

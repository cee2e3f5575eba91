// Our own declarations of the part of the SimConnect ABI that the program uses,
// binary-compatible with the x64 SimConnect.dll of the MSFS 2020 SDK. Names keep
// the SDK's spelling. Every record is packed to 1 byte, as the SDK declares it;
// a received record is not promised to be aligned, so read its doubles with memcpy.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// ---- Base types -------------------------------------------------------------

using SIMCONNECT_HRESULT = std::int32_t;  // HRESULT: negative = failure
using SIMCONNECT_HANDLE = void*;          // HANDLE of a session

inline constexpr SIMCONNECT_HRESULT SIMCONNECT_S_OK = 0;
inline constexpr SIMCONNECT_HRESULT SIMCONNECT_E_FAIL = static_cast<std::int32_t>(0x80004005u);
inline constexpr SIMCONNECT_HRESULT SIMCONNECT_E_INVALIDARG = static_cast<std::int32_t>(0x80070057u);

// ---- Constants --------------------------------------------------------------

inline constexpr std::uint32_t SIMCONNECT_UNUSED = 0xFFFFFFFFu;
inline constexpr std::uint32_t SIMCONNECT_OBJECT_ID_USER = 0;
inline constexpr std::uint32_t SIMCONNECT_CLIENTDATA_MAX_SIZE = 8192;
inline constexpr std::uint32_t SIMCONNECT_CLIENTDATAOFFSET_AUTO = 0xFFFFFFFFu;
inline constexpr std::uint32_t SIMCONNECT_OPEN_CONFIGINDEX_LOCAL = 0xFFFFFFFFu;
inline constexpr std::uint32_t SIMCONNECT_MAX_PATH = 260;

enum SIMCONNECT_RECV_ID : std::uint32_t {
    SIMCONNECT_RECV_ID_NULL = 0,
    SIMCONNECT_RECV_ID_EXCEPTION = 1,
    SIMCONNECT_RECV_ID_OPEN = 2,
    SIMCONNECT_RECV_ID_QUIT = 3,
    SIMCONNECT_RECV_ID_EVENT = 4,
    SIMCONNECT_RECV_ID_EVENT_OBJECT_ADDREMOVE = 5,
    SIMCONNECT_RECV_ID_EVENT_FILENAME = 6,
    SIMCONNECT_RECV_ID_EVENT_FRAME = 7,
    SIMCONNECT_RECV_ID_SIMOBJECT_DATA = 8,
    SIMCONNECT_RECV_ID_SIMOBJECT_DATA_BYTYPE = 9,
    SIMCONNECT_RECV_ID_WEATHER_OBSERVATION = 10,
    SIMCONNECT_RECV_ID_CLOUD_STATE = 11,
    SIMCONNECT_RECV_ID_ASSIGNED_OBJECT_ID = 12,
    SIMCONNECT_RECV_ID_RESERVED_KEY = 13,
    SIMCONNECT_RECV_ID_CUSTOM_ACTION = 14,
    SIMCONNECT_RECV_ID_SYSTEM_STATE = 15,
    SIMCONNECT_RECV_ID_CLIENT_DATA = 16,
};

enum SIMCONNECT_DATATYPE : std::uint32_t {
    SIMCONNECT_DATATYPE_INVALID = 0,
    SIMCONNECT_DATATYPE_INT32 = 1,
    SIMCONNECT_DATATYPE_INT64 = 2,
    SIMCONNECT_DATATYPE_FLOAT32 = 3,
    SIMCONNECT_DATATYPE_FLOAT64 = 4,
    SIMCONNECT_DATATYPE_STRING8 = 5,
    SIMCONNECT_DATATYPE_STRING32 = 6,
    SIMCONNECT_DATATYPE_STRING64 = 7,
    SIMCONNECT_DATATYPE_STRING128 = 8,
    SIMCONNECT_DATATYPE_STRING256 = 9,
    SIMCONNECT_DATATYPE_STRING260 = 10,
    SIMCONNECT_DATATYPE_STRINGV = 11,
    SIMCONNECT_DATATYPE_INITPOSITION = 12,
    SIMCONNECT_DATATYPE_MARKERSTATE = 13,
    SIMCONNECT_DATATYPE_WAYPOINT = 14,
    SIMCONNECT_DATATYPE_LATLONALT = 15,
    SIMCONNECT_DATATYPE_XYZ = 16,
};

enum SIMCONNECT_PERIOD : std::uint32_t {
    SIMCONNECT_PERIOD_NEVER = 0,
    SIMCONNECT_PERIOD_ONCE = 1,
    SIMCONNECT_PERIOD_VISUAL_FRAME = 2,
    SIMCONNECT_PERIOD_SIM_FRAME = 3,
    SIMCONNECT_PERIOD_SECOND = 4,
};

enum SIMCONNECT_CLIENT_DATA_PERIOD : std::uint32_t {
    SIMCONNECT_CLIENT_DATA_PERIOD_NEVER = 0,
    SIMCONNECT_CLIENT_DATA_PERIOD_ONCE = 1,
    SIMCONNECT_CLIENT_DATA_PERIOD_VISUAL_FRAME = 2,
    SIMCONNECT_CLIENT_DATA_PERIOD_ON_SET = 3,
    SIMCONNECT_CLIENT_DATA_PERIOD_SECOND = 4,
};

enum SIMCONNECT_SIMOBJECT_TYPE : std::uint32_t {
    SIMCONNECT_SIMOBJECT_TYPE_USER = 0,
    SIMCONNECT_SIMOBJECT_TYPE_ALL = 1,
    SIMCONNECT_SIMOBJECT_TYPE_AIRCRAFT = 2,
    SIMCONNECT_SIMOBJECT_TYPE_HELICOPTER = 3,
    SIMCONNECT_SIMOBJECT_TYPE_BOAT = 4,
    SIMCONNECT_SIMOBJECT_TYPE_GROUND = 5,
};

// Typed client-data datums: negative sizes, passed as DWORD.
inline constexpr std::uint32_t SIMCONNECT_CLIENTDATATYPE_INT8 = 0xFFFFFFFFu;
inline constexpr std::uint32_t SIMCONNECT_CLIENTDATATYPE_INT16 = 0xFFFFFFFEu;
inline constexpr std::uint32_t SIMCONNECT_CLIENTDATATYPE_INT32 = 0xFFFFFFFDu;
inline constexpr std::uint32_t SIMCONNECT_CLIENTDATATYPE_INT64 = 0xFFFFFFFCu;
inline constexpr std::uint32_t SIMCONNECT_CLIENTDATATYPE_FLOAT32 = 0xFFFFFFFBu;
inline constexpr std::uint32_t SIMCONNECT_CLIENTDATATYPE_FLOAT64 = 0xFFFFFFFAu;

inline constexpr std::uint32_t SIMCONNECT_GROUP_PRIORITY_HIGHEST = 1;
inline constexpr std::uint32_t SIMCONNECT_GROUP_PRIORITY_HIGHEST_MASKABLE = 10000000;
inline constexpr std::uint32_t SIMCONNECT_GROUP_PRIORITY_STANDARD = 1900000000;
inline constexpr std::uint32_t SIMCONNECT_GROUP_PRIORITY_DEFAULT = 2000000000;
inline constexpr std::uint32_t SIMCONNECT_GROUP_PRIORITY_LOWEST = 4000000000u;

inline constexpr std::uint32_t SIMCONNECT_EVENT_FLAG_DEFAULT = 0x00;
inline constexpr std::uint32_t SIMCONNECT_EVENT_FLAG_FAST_REPEAT_TIMER = 0x01;
inline constexpr std::uint32_t SIMCONNECT_EVENT_FLAG_SLOW_REPEAT_TIMER = 0x02;
inline constexpr std::uint32_t SIMCONNECT_EVENT_FLAG_GROUPID_IS_PRIORITY = 0x10;

inline constexpr std::uint32_t SIMCONNECT_DATA_REQUEST_FLAG_DEFAULT = 0;
inline constexpr std::uint32_t SIMCONNECT_DATA_REQUEST_FLAG_CHANGED = 1;
inline constexpr std::uint32_t SIMCONNECT_DATA_REQUEST_FLAG_TAGGED = 2;
inline constexpr std::uint32_t SIMCONNECT_DATA_SET_FLAG_DEFAULT = 0;
inline constexpr std::uint32_t SIMCONNECT_DATA_SET_FLAG_TAGGED = 1;
inline constexpr std::uint32_t SIMCONNECT_CREATE_CLIENT_DATA_FLAG_DEFAULT = 0;
inline constexpr std::uint32_t SIMCONNECT_CREATE_CLIENT_DATA_FLAG_READ_ONLY = 1;
inline constexpr std::uint32_t SIMCONNECT_CLIENT_DATA_REQUEST_FLAG_DEFAULT = 0;
inline constexpr std::uint32_t SIMCONNECT_CLIENT_DATA_REQUEST_FLAG_CHANGED = 1;
inline constexpr std::uint32_t SIMCONNECT_CLIENT_DATA_REQUEST_FLAG_TAGGED = 2;
inline constexpr std::uint32_t SIMCONNECT_CLIENT_DATA_SET_FLAG_DEFAULT = 0;
inline constexpr std::uint32_t SIMCONNECT_CLIENT_DATA_SET_FLAG_TAGGED = 1;

inline constexpr std::uint32_t SIMCONNECT_RECV_EVENT_UNKNOWN_GROUP = 0xFFFFFFFFu;
inline constexpr std::uint32_t SIMCONNECT_RECV_EXCEPTION_UNKNOWN_SENDID = 0;
inline constexpr std::uint32_t SIMCONNECT_RECV_EXCEPTION_UNKNOWN_INDEX = 0xFFFFFFFFu;

inline constexpr std::uint32_t SIMCONNECT_INITPOSITION_AIRSPEED_CRUISE = 0xFFFFFFFFu;
inline constexpr std::uint32_t SIMCONNECT_INITPOSITION_AIRSPEED_KEEP = 0xFFFFFFFEu;

// The exception codes the program names; any other arrives as its raw number.
enum SIMCONNECT_EXCEPTION : std::uint32_t {
    SIMCONNECT_EXCEPTION_NONE = 0,
    SIMCONNECT_EXCEPTION_ERROR = 1,
    SIMCONNECT_EXCEPTION_SIZE_MISMATCH = 2,
    SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID = 3,
    SIMCONNECT_EXCEPTION_UNOPENED = 4,
    SIMCONNECT_EXCEPTION_VERSION_MISMATCH = 5,
    SIMCONNECT_EXCEPTION_NAME_UNRECOGNIZED = 7,
    SIMCONNECT_EXCEPTION_INVALID_DATA_TYPE = 18,
    SIMCONNECT_EXCEPTION_INVALID_DATA_SIZE = 19,
    SIMCONNECT_EXCEPTION_DATA_ERROR = 20,
    SIMCONNECT_EXCEPTION_LOAD_FLIGHTPLAN_FAILED = 23,
    SIMCONNECT_EXCEPTION_DUPLICATE_ID = 29,
    SIMCONNECT_EXCEPTION_OUT_OF_BOUNDS = 31,
    SIMCONNECT_EXCEPTION_ALREADY_CREATED = 32,
};

// ---- Records ----------------------------------------------------------------

#pragma pack(push, 1)

// Each record repeats the fields of the records it extends, in order, instead of
// deriving from them, so that every record is standard-layout and its offsets
// can be checked at compile time. The layouts are the SDK's.
#define TARVO_SIMCONNECT_RECV_FIELDS \
    std::uint32_t dwSize;    /* of the whole record */ \
    std::uint32_t dwVersion;                          \
    std::uint32_t dwID;      /* a SIMCONNECT_RECV_ID */

#define TARVO_SIMCONNECT_RECV_EVENT_FIELDS \
    TARVO_SIMCONNECT_RECV_FIELDS           \
    std::uint32_t uGroupID;                \
    std::uint32_t uEventID;                \
    std::uint32_t dwData;

#define TARVO_SIMCONNECT_RECV_SIMOBJECT_DATA_FIELDS \
    TARVO_SIMCONNECT_RECV_FIELDS                    \
    std::uint32_t dwRequestID;                      \
    std::uint32_t dwObjectID;                       \
    std::uint32_t dwDefineID;                       \
    std::uint32_t dwFlags;                          \
    std::uint32_t dwentrynumber;                    \
    std::uint32_t dwoutof;                          \
    std::uint32_t dwDefineCount; /* datums, not bytes */ \
    std::uint32_t dwData;        /* the payload starts here */

struct SIMCONNECT_RECV {
    TARVO_SIMCONNECT_RECV_FIELDS
};

struct SIMCONNECT_RECV_EXCEPTION {
    TARVO_SIMCONNECT_RECV_FIELDS
    std::uint32_t dwException;
    std::uint32_t dwSendID;
    std::uint32_t dwIndex;
};

struct SIMCONNECT_RECV_OPEN {
    TARVO_SIMCONNECT_RECV_FIELDS
    char szApplicationName[256];
    std::uint32_t dwApplicationVersionMajor;
    std::uint32_t dwApplicationVersionMinor;
    std::uint32_t dwApplicationBuildMajor;
    std::uint32_t dwApplicationBuildMinor;
    std::uint32_t dwSimConnectVersionMajor;
    std::uint32_t dwSimConnectVersionMinor;
    std::uint32_t dwSimConnectBuildMajor;
    std::uint32_t dwSimConnectBuildMinor;
    std::uint32_t dwReserved1;
    std::uint32_t dwReserved2;
};

struct SIMCONNECT_RECV_QUIT {
    TARVO_SIMCONNECT_RECV_FIELDS
};

struct SIMCONNECT_RECV_EVENT {
    TARVO_SIMCONNECT_RECV_EVENT_FIELDS
};

struct SIMCONNECT_RECV_EVENT_FILENAME {
    TARVO_SIMCONNECT_RECV_EVENT_FIELDS
    char szFileName[SIMCONNECT_MAX_PATH];
    std::uint32_t dwFlags;
};

struct SIMCONNECT_RECV_EVENT_FRAME {
    TARVO_SIMCONNECT_RECV_EVENT_FIELDS
    float fFrameRate;
    float fSimSpeed;
};

struct SIMCONNECT_RECV_SIMOBJECT_DATA {
    TARVO_SIMCONNECT_RECV_SIMOBJECT_DATA_FIELDS
};

struct SIMCONNECT_RECV_SIMOBJECT_DATA_BYTYPE {
    TARVO_SIMCONNECT_RECV_SIMOBJECT_DATA_FIELDS
};

struct SIMCONNECT_RECV_CLIENT_DATA {
    TARVO_SIMCONNECT_RECV_SIMOBJECT_DATA_FIELDS
};

#undef TARVO_SIMCONNECT_RECV_SIMOBJECT_DATA_FIELDS
#undef TARVO_SIMCONNECT_RECV_EVENT_FIELDS
#undef TARVO_SIMCONNECT_RECV_FIELDS

struct SIMCONNECT_DATA_INITPOSITION {
    double Latitude;
    double Longitude;
    double Altitude;
    double Pitch;
    double Bank;
    double Heading;
    std::uint32_t OnGround;
    std::uint32_t Airspeed;
};

#pragma pack(pop)

// Offset of the first payload byte of SIMOBJECT_DATA, _BYTYPE and CLIENT_DATA records.
inline constexpr std::size_t kSimConnectDataOffset = 40;

static_assert(sizeof(SIMCONNECT_RECV) == 12);
static_assert(sizeof(SIMCONNECT_RECV_EXCEPTION) == 24);
static_assert(sizeof(SIMCONNECT_RECV_OPEN) == 308);
static_assert(sizeof(SIMCONNECT_RECV_QUIT) == 12);
static_assert(sizeof(SIMCONNECT_RECV_EVENT) == 24);
static_assert(offsetof(SIMCONNECT_RECV_EVENT, uEventID) == 16);
static_assert(offsetof(SIMCONNECT_RECV_EVENT, dwData) == 20);
static_assert(sizeof(SIMCONNECT_RECV_EVENT_FILENAME) == 288);
static_assert(offsetof(SIMCONNECT_RECV_EVENT_FILENAME, szFileName) == 24);
static_assert(sizeof(SIMCONNECT_RECV_EVENT_FRAME) == 32);
static_assert(offsetof(SIMCONNECT_RECV_EVENT_FRAME, fFrameRate) == 24);
static_assert(offsetof(SIMCONNECT_RECV_EXCEPTION, dwIndex) == 20);
static_assert(offsetof(SIMCONNECT_RECV_OPEN, dwApplicationVersionMajor) == 268);
static_assert(sizeof(SIMCONNECT_RECV_SIMOBJECT_DATA) == 44);
static_assert(offsetof(SIMCONNECT_RECV_SIMOBJECT_DATA, dwRequestID) == 12);
static_assert(offsetof(SIMCONNECT_RECV_SIMOBJECT_DATA, dwDefineID) == 20);
static_assert(offsetof(SIMCONNECT_RECV_SIMOBJECT_DATA, dwData) == kSimConnectDataOffset);
static_assert(sizeof(SIMCONNECT_RECV_SIMOBJECT_DATA_BYTYPE) == 44);
static_assert(offsetof(SIMCONNECT_RECV_SIMOBJECT_DATA_BYTYPE, dwData) == kSimConnectDataOffset);
static_assert(sizeof(SIMCONNECT_RECV_CLIENT_DATA) == 44);
static_assert(offsetof(SIMCONNECT_RECV_CLIENT_DATA, dwData) == kSimConnectDataOffset);
static_assert(sizeof(SIMCONNECT_DATA_INITPOSITION) == 56);
static_assert(offsetof(SIMCONNECT_DATA_INITPOSITION, OnGround) == 48);
static_assert(offsetof(SIMCONNECT_DATA_INITPOSITION, Airspeed) == 52);
// Packed to 1 byte: a record may start at any address, so nothing may assume more.
static_assert(alignof(SIMCONNECT_RECV) == 1 && alignof(SIMCONNECT_RECV_EVENT) == 1 &&
              alignof(SIMCONNECT_RECV_SIMOBJECT_DATA) == 1 && alignof(SIMCONNECT_RECV_CLIENT_DATA) == 1 &&
              alignof(SIMCONNECT_RECV_EVENT_FILENAME) == 1 && alignof(SIMCONNECT_RECV_EVENT_FRAME) == 1);
static_assert(sizeof(float) == 4 && sizeof(double) == 8);

// ---- Functions --------------------------------------------------------------
// x64 has one calling convention, so the SDK's __stdcall needs no spelling here.
// The ABI has no default arguments: every call passes every parameter.

using SIMCONNECT_DISPATCHPROC = void (*)(SIMCONNECT_RECV* pData, std::uint32_t cbData, void* pContext);

// Every SimConnect function the program uses, once, in export order:
//
//   X(name, where, (parameters), (arguments))
//
// name is the export SimConnect_<name> and the port's method. where is Remote for
// a request the simulator answers, Local for a call the DLL answers from what it
// has already received. The parameters are the DLL's, in its order and with its
// types; the arguments name them again, for calls that pass them on.
//
// Window and Event are the types of Open's window and event handles: void* in
// the DLL (TARVO_SIMCONNECT_EXPORTS), WindowId and EventId in the port.
#define TARVO_SIMCONNECT_FUNCTIONS(X, Window, Event)                                                                  \
    X(Open, Remote,                                                                                                   \
      (SIMCONNECT_HANDLE* handle, const char* name, Window window, std::uint32_t userMessage, Event event,            \
       std::uint32_t configIndex),                                                                                    \
      (handle, name, window, userMessage, event, configIndex))                                                        \
    TARVO_SIMCONNECT_SESSION_CALLS(X)

// Every function after Open; each works on a session that Open gave, except
// RetrieveString, which reads a record one handed over. A new function goes at
// the end: the stand-ins number their pipe's calls in this order.
#define TARVO_SIMCONNECT_SESSION_CALLS(X)                                                                             \
    X(Close, Remote, (SIMCONNECT_HANDLE handle), (handle))                                                            \
    X(CallDispatch, Local, (SIMCONNECT_HANDLE handle, SIMCONNECT_DISPATCHPROC dispatch, void* context),               \
      (handle, dispatch, context))                                                                                    \
    X(GetNextDispatch, Local, (SIMCONNECT_HANDLE handle, SIMCONNECT_RECV** data, std::uint32_t* size),                \
      (handle, data, size))                                                                                           \
    X(AddToDataDefinition, Remote,                                                                                    \
      (SIMCONNECT_HANDLE handle, std::uint32_t defineId, const char* datumName, const char* unitsName,                \
       std::uint32_t datumType, float epsilon, std::uint32_t datumId),                                                \
      (handle, defineId, datumName, unitsName, datumType, epsilon, datumId))                                          \
    X(ClearDataDefinition, Remote, (SIMCONNECT_HANDLE handle, std::uint32_t defineId), (handle, defineId))            \
    X(RequestDataOnSimObject, Remote,                                                                                 \
      (SIMCONNECT_HANDLE handle, std::uint32_t requestId, std::uint32_t defineId, std::uint32_t objectId,             \
       std::uint32_t period, std::uint32_t flags, std::uint32_t origin, std::uint32_t interval, std::uint32_t limit), \
      (handle, requestId, defineId, objectId, period, flags, origin, interval, limit))                                \
    X(RequestDataOnSimObjectType, Remote,                                                                             \
      (SIMCONNECT_HANDLE handle, std::uint32_t requestId, std::uint32_t defineId, std::uint32_t radiusMeters,         \
       std::uint32_t objectType),                                                                                     \
      (handle, requestId, defineId, radiusMeters, objectType))                                                        \
    X(SetDataOnSimObject, Remote,                                                                                     \
      (SIMCONNECT_HANDLE handle, std::uint32_t defineId, std::uint32_t objectId, std::uint32_t flags,                 \
       std::uint32_t arrayCount, std::uint32_t unitSize, void* data),                                                 \
      (handle, defineId, objectId, flags, arrayCount, unitSize, data))                                                \
    X(SubscribeToSystemEvent, Remote, (SIMCONNECT_HANDLE handle, std::uint32_t eventId, const char* systemEventName), \
      (handle, eventId, systemEventName))                                                                             \
    X(UnsubscribeFromSystemEvent, Remote, (SIMCONNECT_HANDLE handle, std::uint32_t eventId), (handle, eventId))       \
    X(MapClientEventToSimEvent, Remote, (SIMCONNECT_HANDLE handle, std::uint32_t eventId, const char* eventName),     \
      (handle, eventId, eventName))                                                                                   \
    X(AddClientEventToNotificationGroup, Remote,                                                                      \
      (SIMCONNECT_HANDLE handle, std::uint32_t groupId, std::uint32_t eventId, std::int32_t maskable),                \
      (handle, groupId, eventId, maskable))                                                                           \
    X(SetNotificationGroupPriority, Remote,                                                                           \
      (SIMCONNECT_HANDLE handle, std::uint32_t groupId, std::uint32_t priority),                                      \
      (handle, groupId, priority))                                                                                    \
    X(TransmitClientEvent, Remote,                                                                                    \
      (SIMCONNECT_HANDLE handle, std::uint32_t objectId, std::uint32_t eventId, std::uint32_t data,                   \
       std::uint32_t groupId, std::uint32_t flags),                                                                   \
      (handle, objectId, eventId, data, groupId, flags))                                                              \
    X(FlightPlanLoad, Remote, (SIMCONNECT_HANDLE handle, const char* fileName), (handle, fileName))                   \
    X(RetrieveString, Local,                                                                                          \
      (SIMCONNECT_RECV* data, std::uint32_t size, void* stringV, char** text, std::uint32_t* textSize),               \
      (data, size, stringV, text, textSize))                                                                          \
    X(MapClientDataNameToID, Remote, (SIMCONNECT_HANDLE handle, const char* name, std::uint32_t clientDataId),        \
      (handle, name, clientDataId))                                                                                   \
    X(CreateClientData, Remote,                                                                                       \
      (SIMCONNECT_HANDLE handle, std::uint32_t clientDataId, std::uint32_t size, std::uint32_t flags),                \
      (handle, clientDataId, size, flags))                                                                            \
    X(AddToClientDataDefinition, Remote,                                                                              \
      (SIMCONNECT_HANDLE handle, std::uint32_t defineId, std::uint32_t offset, std::uint32_t sizeOrType,              \
       float epsilon, std::uint32_t datumId),                                                                         \
      (handle, defineId, offset, sizeOrType, epsilon, datumId))                                                       \
    X(ClearClientDataDefinition, Remote, (SIMCONNECT_HANDLE handle, std::uint32_t defineId), (handle, defineId))      \
    X(RequestClientData, Remote,                                                                                      \
      (SIMCONNECT_HANDLE handle, std::uint32_t clientDataId, std::uint32_t requestId, std::uint32_t defineId,         \
       std::uint32_t period, std::uint32_t flags, std::uint32_t origin, std::uint32_t interval, std::uint32_t limit), \
      (handle, clientDataId, requestId, defineId, period, flags, origin, interval, limit))                            \
    X(SetClientData, Remote,                                                                                          \
      (SIMCONNECT_HANDLE handle, std::uint32_t clientDataId, std::uint32_t defineId, std::uint32_t flags,             \
       std::uint32_t reserved, std::uint32_t unitSize, void* data),                                                   \
      (handle, clientDataId, defineId, flags, reserved, unitSize, data))                                              \
    X(GetLastSentPacketID, Remote, (SIMCONNECT_HANDLE handle, std::uint32_t* sendId), (handle, sendId))

// The list with the DLL's own types.
#define TARVO_SIMCONNECT_EXPORTS(X) TARVO_SIMCONNECT_FUNCTIONS(X, void*, void*)

// SimConnect_<name>_t: the type of each export.
#define TARVO_SIMCONNECT_POINTER_TYPE(name, where, params, args) \
    using SimConnect_##name##_t = SIMCONNECT_HRESULT(*) params;
TARVO_SIMCONNECT_EXPORTS(TARVO_SIMCONNECT_POINTER_TYPE)
#undef TARVO_SIMCONNECT_POINTER_TYPE

// The loaded DLL: one pointer per export, null until bound.
struct SimConnectExports {
#define TARVO_SIMCONNECT_SLOT(name, where, params, args) SimConnect_##name##_t name = nullptr;
    TARVO_SIMCONNECT_EXPORTS(TARVO_SIMCONNECT_SLOT)
#undef TARVO_SIMCONNECT_SLOT
};

namespace tarvo::platform {

// Returns the address of an export, or null.
using SymbolLookup = void* (*)(void* library, const char* exportName);

// Fills every slot of exports through lookup. Returns the export names that were
// missing, in table order; the table is usable only when the list is empty.
std::vector<std::string_view> BindSimConnectExports(SimConnectExports& exports, void* library,
                                                    SymbolLookup lookup);

}  // namespace tarvo::platform

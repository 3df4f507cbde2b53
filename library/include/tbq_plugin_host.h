/* What TBQ.exe and its plug-in host (TBQPluginHost.exe) say over their pipe.
 *
 * One host process holds one plug-in: it loads it through TBQ.dll's bridge,
 * answers one request at a time, and ends when the pipe closes. A plug-in that
 * crashes takes only its host along; one that hangs is ended with its host.
 * Every request is one fixed record; every reply is one fixed record followed
 * by `bytes` bytes of data (a record, a name or a text buffer). */
#ifndef TBQ_PLUGIN_HOST_H
#define TBQ_PLUGIN_HOST_H

#include <stdint.h>

enum TBQ_HostOp {
    TBQ_HOST_INIT = 1,         /* path: the plug-in file; value: 1 loaded, 0 not */
    TBQ_HOST_FREE,             /* Free, unload, and end the host */
    TBQ_HOST_GET_INFO,         /* data: the information record */
    TBQ_HOST_GET_FUNC_INFO,    /* func; data: the function record */
    TBQ_HOST_GET_SETTING_NAME, /* func, setting, size; data: size bytes */
    TBQ_HOST_GET_TEXT,         /* func, setting, window, size, capacity; data: capacity bytes */
    TBQ_HOST_SHOW_ABOUT,       /* window */
    TBQ_HOST_SHOW_SETTING,     /* func, setting, window */
    TBQ_HOST_GET_TEXTS         /* func: the count of TBQ_HostTextAsk records in path; window;
                                  size: the longest text taken; capacity: spare characters
                                  of each buffer. Each text is asked as two GET_TEXT would
                                  ask it (its length, then the text into a buffer of the
                                  length + 1 + spare characters). result: the texts answered;
                                  data: a TBQ_HostTextAnswer and its bytes for each */
};

enum { TBQ_HOST_PATH_SIZE = 1024, TBQ_HOST_MAX_DATA = 2 * 65536 + 16 };

#pragma pack(push, 8)
typedef struct TBQ_HostRequest {
    int32_t op;
    int32_t func;
    int32_t setting;
    int32_t size;      /* the size the plug-in is told */
    uint32_t capacity; /* bytes of the text buffer, at most TBQ_HOST_MAX_DATA */
    uint32_t spare;
    uint64_t window;   /* a window handle, all its bits */
    char path[TBQ_HOST_PATH_SIZE];
} TBQ_HostRequest;

enum { TBQ_HOST_MAX_ASKS = TBQ_HOST_PATH_SIZE / 16 };

typedef struct TBQ_HostTextAsk {
    int32_t func;
    int32_t setting;
    int32_t unit; /* bytes a character: 1 (ANSI) or 2 (UTF-16) */
    int32_t spare;
} TBQ_HostTextAsk;

typedef struct TBQ_HostTextAnswer {
    int32_t length;  /* the length question's answer */
    int32_t written; /* the text call's result; 0 when it was not made */
    uint32_t bytes;  /* the buffer that follows: 0 when the length was out of range */
    uint32_t spare;
} TBQ_HostTextAnswer;

typedef struct TBQ_HostReply {
    int32_t result; /* the call's result */
    uint32_t bytes; /* data bytes that follow */
} TBQ_HostReply;
#pragma pack(pop)

#endif /* TBQ_PLUGIN_HOST_H */

/* Preloaded into the end-to-end capture test: makes a FIFO at /dev/video0
 * look like a V4L2 capture device to QtMultimedia's GStreamer backend, which
 * only builds a camera for a device that answers these queries. The picture
 * itself comes from GStreamer's test source. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <linux/videodev2.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <sys/ioctl.h>
#include <unistd.h>

static const char fake[] = "/dev/video0";

static int isFakeFd(int fd)
{
    char link[64], target[64];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    ssize_t n = readlink(link, target, sizeof target - 1);
    if (n < 0)
        return 0;
    target[n] = 0;
    return strcmp(target, fake) == 0;
}

#define OPEN_WRAPPER(name)                                                   \
    int name(const char *path, int flags, ...)                               \
    {                                                                        \
        static int (*real)(const char *, int, ...);                          \
        if (!real)                                                           \
            real = dlsym(RTLD_NEXT, #name);                                  \
        int mode = 0;                                                        \
        if ((flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE) {        \
            va_list ap;                                                      \
            va_start(ap, flags);                                             \
            mode = va_arg(ap, int);                                          \
            va_end(ap);                                                      \
        }                                                                    \
        /* Nobody writes the FIFO: opening it must not wait for a writer. */ \
        if (strcmp(path, fake) == 0)                                         \
            flags |= O_NONBLOCK;                                             \
        return real(path, flags, mode);                                      \
    }
OPEN_WRAPPER(open)
OPEN_WRAPPER(open64)

int ioctl(int fd, unsigned long request, ...)
{
    static int (*real)(int, unsigned long, ...);
    if (!real)
        real = dlsym(RTLD_NEXT, "ioctl");
    va_list ap;
    va_start(ap, request);
    void *arg = va_arg(ap, void *);
    va_end(ap);
    if (!isFakeFd(fd))
        return real(fd, request, arg);
    switch (request) {
    case VIDIOC_QUERYCAP: {
        struct v4l2_capability *cap = arg;
        memset(cap, 0, sizeof *cap);
        strcpy((char *)cap->driver, "taviro-fake");
        strcpy((char *)cap->card, "TAVIRO test camera");
        strcpy((char *)cap->bus_info, "platform:fake");
        cap->version = 0x050a00;
        cap->capabilities = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING | V4L2_CAP_DEVICE_CAPS;
        cap->device_caps = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING;
        return 0;
    }
    case VIDIOC_ENUMINPUT: {
        struct v4l2_input *input = arg;
        if (input->index != 0) {
            errno = EINVAL;
            return -1;
        }
        strcpy((char *)input->name, "Camera");
        input->type = V4L2_INPUT_TYPE_CAMERA;
        return 0;
    }
    case VIDIOC_G_INPUT:
        *(int *)arg = 0;
        return 0;
    case VIDIOC_S_INPUT:
        return 0;
    default:
        errno = ENOTTY;
        return -1;
    }
}

#pragma once

/**
 * Receiver of viewfinder frames: told by the video surface that a new frame
 * is stored. May be called on the platform's video thread.
 */
class VideoIF
{
public:
    virtual ~VideoIF() = default;
    virtual void updateVideo() = 0;
};

# Hosts and credentials are fixed at build time; the defaults point at the
# stand-in service on loopback (server/).
set(TAVIRO_API_BASE_PLAIN  "http://127.0.0.1:8480/v1"  CACHE STRING "Plain-HTTP API base")
set(TAVIRO_API_BASE_SECURE "https://127.0.0.1:8443/v1" CACHE STRING "HTTPS API base")
set(TAVIRO_MAIN_HOST       "https://127.0.0.1:8443"    CACHE STRING "Sign-in and registration host")
set(TAVIRO_REMINDER_HOST   "https://127.0.0.1:8443"    CACHE STRING "Password reminder host")
set(TAVIRO_WEB_HOST        "http://127.0.0.1:8480"     CACHE STRING "Public web host (photo pages, OAuth callbacks)")

set(TAVIRO_TWITTER_OAUTH_BASE "http://127.0.0.1:8480/ext/twitter"  CACHE STRING "Twitter OAuth base")
set(TAVIRO_TUMBLR_OAUTH_BASE  "http://127.0.0.1:8480/ext/tumblr"   CACHE STRING "Tumblr OAuth base")
set(TAVIRO_FLICKR_OAUTH_BASE  "http://127.0.0.1:8480/ext/flickr"   CACHE STRING "Flickr OAuth base")
set(TAVIRO_WEIBO_OAUTH_BASE   "http://127.0.0.1:8480/ext/weibo"    CACHE STRING "Sina Weibo OAuth base")
set(TAVIRO_DROPBOX_OAUTH_BASE "https://127.0.0.1:8443/ext/dropbox" CACHE STRING "Dropbox OAuth base")

set(TAVIRO_EXTRA_CA_CERT "${CMAKE_BINARY_DIR}/server/certs/taviro-dev-ca.pem"
    CACHE FILEPATH "PEM file trusted in addition to the system store")

set(TAVIRO_CONSUMER_KEY    "tvr2x51-8808-meego"                 CACHE STRING "Service consumer key")
set(TAVIRO_CONSUMER_SECRET "ts7e1-40213-c9d0f2-2012"            CACHE STRING "Service consumer secret")
set(TAVIRO_TWITTER_CONSUMER_KEY    "twk4Q9-7731-Lm2p"           CACHE STRING "Twitter consumer key")
set(TAVIRO_TWITTER_CONSUMER_SECRET "tws8Zr-55120-Hx3vB6-1906"   CACHE STRING "Twitter consumer secret")
set(TAVIRO_TUMBLR_CONSUMER_KEY    "Qm3nT8vR2kL6pW9xZ4cB7yH1jF5dS0gA3eU8iO2rT6wY9qE4uP" CACHE STRING "Tumblr consumer key")
set(TAVIRO_TUMBLR_CONSUMER_SECRET "Lk7Jh2Gf5Ds9Aq1Wz4Xc8Ve3Rb6Tn0Ym5Ui9Op2As7Df4Gh1Jk" CACHE STRING "Tumblr consumer secret")
set(TAVIRO_WEIBO_CONSUMER_KEY    "3920487156"                        CACHE STRING "Sina Weibo app key")
set(TAVIRO_WEIBO_CONSUMER_SECRET "5e0c8a31f2b94d67a1c3e9f08b72d4c6"  CACHE STRING "Sina Weibo app secret")
set(TAVIRO_FLICKR_CONSUMER_KEY    "9b1f4e7a2c6d8035e4f1a9b7c2d6e803" CACHE STRING "Flickr API key")
set(TAVIRO_FLICKR_CONSUMER_SECRET "a4c8e1f7b2d93605"                 CACHE STRING "Flickr API secret")
set(TAVIRO_VK_APPLICATION_ID "3048217"                               CACHE STRING "VK application id")
set(TAVIRO_VK_SECRET_KEY     "Vq8Lr2Nt5Kx9Pm3Wb7Hz"                  CACHE STRING "VK secure key")
set(TAVIRO_DROPBOX_CONSUMER_KEY    "d7kq2m9x4v1n8p3"                 CACHE STRING "Dropbox app key")
set(TAVIRO_DROPBOX_CONSUMER_SECRET "s5h0w3j8r2b6t9c"                 CACHE STRING "Dropbox app secret")

configure_file(${CMAKE_CURRENT_LIST_DIR}/taviroconfig.h.in
               ${CMAKE_BINARY_DIR}/generated/taviroconfig.h @ONLY)

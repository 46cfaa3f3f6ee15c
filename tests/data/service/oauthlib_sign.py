# Signs one request with oauthlib (an independent OAuth 1.0 implementation)
# and prints the percent-encoded oauth_signature. Input: JSON on stdin.
import json
import re
import sys

from oauthlib.oauth1 import Client

request = json.load(sys.stdin)
client = Client(request["consumerKey"], client_secret=request["consumerSecret"],
                resource_owner_key=request["token"] or None,
                resource_owner_secret=request["tokenSecret"] or None,
                nonce=request["nonce"], timestamp=request["timestamp"])
body = request["body"] or None
headers = {"Content-Type": "application/x-www-form-urlencoded"} if body else {}
_, signed, _ = client.sign(request["url"], http_method="POST", body=body, headers=headers)
print(re.search(r'oauth_signature="([^"]*)"', signed["Authorization"]).group(1))

# `/usr/bin/python3 browser.py FOLDER` serves FOLDER on 127.0.0.1 and drives Debian's Chromium on
# it through chromedriver: headless, WebGL through SwiftShader, off the network. One command a line
# in, one answer a line out ("error" when it failed); coordinates are the page's CSS pixels.
import functools, http.server, os, signal, sys, threading
from selenium.webdriver import ActionChains, Chrome, ChromeOptions, Keys
from selenium.webdriver.chrome.service import Service

handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=sys.argv[1])
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
threading.Thread(target=server.serve_forever, daemon=True).start()

options = ChromeOptions()
options.binary_location = "/usr/bin/chromium"
flags = ("--headless=new --use-angle=swiftshader --enable-unsafe-swiftshader --window-size=800,600 "
         "--no-first-run --disable-sync --disable-background-networking --disable-component-update "
         "--disable-quic --user-data-dir=" + os.path.abspath("chromium-profile")).split()
# Even so it would look up Google's hosts: every name but the page's address resolves to nothing.
flags += ["--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1"] + ["--no-sandbox"] * (os.geteuid() == 0)
for flag in flags:
    options.add_argument(flag)
options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
driver = Chrome(service=Service("/usr/bin/chromedriver"), options=options)

def act(device, method, *args):  # one step of the keyboard, the mouse or its wheel
    actions = ActionChains(driver)
    getattr(getattr(actions.w3c_actions, device), method)(*args)
    actions.perform()

def key(name, seconds):  # a letter, or a key's name such as space or down
    key = getattr(Keys, name.upper()) if len(name) > 1 else name
    ActionChains(driver).key_down(key).pause(float(seconds)).key_up(key).perform()

commands = {
    "open": lambda query="": driver.get(f"http://127.0.0.1:{server.server_port}/{query}"),
    "size": lambda width, height: driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": int(width), "height": int(height), "deviceScaleFactor": 1, "mobile": False}),
    "shot": driver.save_screenshot,
    "key": key,
    "move": lambda x, y: act("pointer_action", "move_to_location", int(x), int(y)),
    "down": lambda button: act("pointer_action", "pointer_down", int(button) - 1),  # 1 left, 3 right
    "up": lambda button: act("pointer_action", "pointer_up", int(button) - 1),
    "wheel": lambda dy: act("wheel_action", "scroll", 400, 300, 0, int(dy)),
    "js": lambda *words: driver.execute_script("return " + " ".join(words)),
    "errors": lambda: [entry["message"] for entry in driver.get_log("browser") if entry["level"] == "SEVERE"],
}
signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))  # the harness ends its jobs so: quit Chromium
try:
    for line in sys.stdin:
        name, *args = line.split()
        try:
            answer = commands[name](*args)
        except Exception as error:
            print(f"{line.strip()}: {error}", file=sys.stderr)
            answer = "error"
        print(answer, flush=True)
finally:
    driver.quit()

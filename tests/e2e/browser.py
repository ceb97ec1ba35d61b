# `/usr/bin/python3 browser.py FOLDER [phone]` serves FOLDER on 127.0.0.1 to Debian's Chromium, driven through
# chromedriver: headless, WebGL through SwiftShader, off the network, as a phone if asked. One command a line
# in, one answer a line out ("error" when it failed); coordinates are the page's CSS pixels.
import functools, http.server, json, os, signal, sys, threading
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
options.arguments.extend(flags + ["--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1"] + ["--no-sandbox"] * (os.geteuid() == 0))
options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
if phone := sys.argv[2:] == ["phone"]:  # held sideways, 844 by 390 CSS px at 3 device px, touch
    options.add_experimental_option("mobileEmulation", {"deviceMetrics": dict(width=844, height=390, pixelRatio=3, touch=True)})
driver = Chrome(service=Service("/usr/bin/chromedriver"), options=options)
# Before any page's own script: the peak of each buffer its audio plays (SDL fills a script processor's),
# the buffers filled after their time to play (underruns), and the phone's vibrations.
driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": """
  Object.assign(window, {peaks: [], late: 0, vibrations: 0}), navigator.vibrate = () => ++vibrations;
  const play = Object.getOwnPropertyDescriptor(ScriptProcessorNode.prototype, 'onaudioprocess');
  Object.defineProperty(ScriptProcessorNode.prototype, 'onaudioprocess', {set(fill) { play.set.call(this, event => {
    late += this.context.currentTime > event.playbackTime, fill(event);
    peaks.push(Math.max(...event.outputBuffer.getChannelData(0).map(Math.abs)));
  }); }});"""})

def act(device, method, *args):  # one step of the keyboard, the mouse or its wheel
    actions = ActionChains(driver)
    getattr(getattr(actions.w3c_actions, device), method)(*args)
    actions.perform()

fingers = {}  # ID: (X, Y) of each finger down; a touch event lists them all, and those it leaves out lift

def touch(kind, finger, *xy):  # start or move a finger to X Y, or end it
    fingers.pop(finger) if kind == "end" else fingers.update({finger: xy})
    driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchStart" if kind == "start" else "touchMove" if fingers
        else "touchEnd", "touchPoints": [{"id": int(f), "x": float(x), "y": float(y)} for f, (x, y) in fingers.items()]})

def key(name, seconds):  # a letter, or a key's name such as space or down
    key = getattr(Keys, name.upper()) if len(name) > 1 else name
    ActionChains(driver).key_down(key).pause(float(seconds)).key_up(key).perform()

commands = {
    "open": lambda query="": driver.get(f"http://127.0.0.1:{server.server_port}/{query}"),
    "type": lambda ext, mime: handler.func.extensions_map.update({"." + ext: mime}),  # what the server sends .EXT as
    "size": lambda width, height: driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {  # a phone upright if tall
        "width": int(width), "height": int(height), "deviceScaleFactor": 3 if phone else 1, "mobile": phone}),
    "shot": driver.save_screenshot,
    "key": key,
    "move": lambda x, y: act("pointer_action", "move_to_location", int(x), int(y)),
    "down": lambda button: act("pointer_action", "pointer_down", int(button) - 1),  # 1 left, 3 right
    "up": lambda button: act("pointer_action", "pointer_up", int(button) - 1),
    "wheel": lambda dy: act("wheel_action", "scroll", 400, 300, 0, int(dy)),
    "touch": touch,
    "offline": lambda: [server.shutdown(), server.server_close(), driver.execute_cdp_cmd("Network.emulateNetworkConditions",
        dict(offline=True, latency=0, downloadThroughput=-1, uploadThroughput=-1))],  # the page's, and no server for its worker
    "cdp": lambda method, *params: json.dumps(driver.execute_cdp_cmd(method, json.loads(" ".join(params) or "{}"))),
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

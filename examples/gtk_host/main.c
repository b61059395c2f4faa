/* A GTK 4 host in C: shows the library's request-payment flow inside a GtkDrawingArea through
 * the C display hooks, as a Qt, GTK or game-engine host would.
 *
 * - Drawing: zelto_display_draw_in_format straight into a cairo image surface (ZELTO_PIXELS_ARGB32
 *   is cairo's own format), at the widget's scale factor, painted in the area's draw function.
 * - Input: clicks (zelto_display_tap), typed characters (zelto_display_type_text), Backspace
 *   (zelto_display_delete_backward), Escape (zelto_display_back), the wheel or touchpad
 *   (zelto_display_scroll).
 * - Time: the library's run loop runs on the system clock and is turned from GLib's main loop:
 *   after every input, and by a one-shot timeout source set at zelto_run_loop_next_timer_time.
 *   Nothing is polled; an idle window wakes only for the library's own timers.
 *
 * Usage: gtk_host [--request FILE.json] [--undecorated]
 * The window closes when the flow ends (the back button on the code screen). */
#include <gtk/gtk.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <zelto/zelto.h>

#define SCREEN_WIDTH 390
#define SCREEN_HEIGHT 844
#define SCROLL_STEP 40.0

static const char kDemoRequest[] =
    "{\"pointOfInitiation\": \"11\", \"zeltoMerchantID\": \"4111111111111111\", "
    "\"merchantName\": \"Example Store\", \"merchantCategoryCode\": \"5411\", "
    "\"cityName\": \"Mumbai\", \"countryCode\": \"IN\", \"currencyCode\": \"356\", "
    "\"tipAmount\": \"\", \"tipPercentage\": \"\"}";

typedef struct Host {
  GtkWidget* window;
  GtkWidget* area;
  cairo_surface_t* frame;
  guint timer; /* the pending timeout source, 0 for none */
  double pointer_x;
  double pointer_y;
  gboolean shown; /* the flow has been on screen */
} Host;

/* Prints what went wrong; true when the call failed. */
static gboolean failed(zelto_status status, char* message) {
  if (status == ZELTO_OK) return FALSE;
  fprintf(stderr, "gtk_host: %s: %s\n", zelto_status_name(status), message ? message : "");
  zelto_free(message);
  return TRUE;
}

static gboolean on_timer(gpointer data);

/* Runs what the library has queued, schedules its next timer, redraws, and closes the window
 * once the flow has ended. */
static void turn_run_loop(Host* host) {
  char* message = NULL;
  if (failed(zelto_run_loop_run_pending(&message), message)) return;
  if (host->timer != 0) {
    g_source_remove(host->timer);
    host->timer = 0;
  }
  double next = 0;
  double now = 0;
  bool scheduled = false;
  if (!failed(zelto_run_loop_next_timer_time(&next, &scheduled, &message), message) && scheduled &&
      !failed(zelto_run_loop_now(&now, &message), message)) {
    const double delay = next > now ? (next - now) * 1000 : 0;
    host->timer = g_timeout_add((guint)(delay + 0.5), on_timer, host);
  }
  gtk_widget_queue_draw(host->area);
  zelto_active_flow flow = ZELTO_ACTIVE_FLOW_NONE;
  if (!failed(zelto_session_active_session_type(&flow, &message), message) && host->shown &&
      flow == ZELTO_ACTIVE_FLOW_NONE) {
    gtk_window_close(GTK_WINDOW(host->window));
  }
}

static gboolean on_timer(gpointer data) {
  Host* host = data;
  host->timer = 0;
  turn_run_loop(host);
  return G_SOURCE_REMOVE;
}

static void draw(GtkDrawingArea* area, cairo_t* cr, int width, int height, gpointer data) {
  Host* host = data;
  const int scale = gtk_widget_get_scale_factor(GTK_WIDGET(area));
  const int pixel_width = width * scale;
  const int pixel_height = height * scale;
  if (host->frame == NULL || cairo_image_surface_get_width(host->frame) != pixel_width ||
      cairo_image_surface_get_height(host->frame) != pixel_height) {
    if (host->frame != NULL) cairo_surface_destroy(host->frame);
    host->frame = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixel_width, pixel_height);
  }
  cairo_surface_flush(host->frame);
  bool shown = false;
  char* message = NULL;
  if (failed(zelto_display_draw_in_format(cairo_image_surface_get_data(host->frame), pixel_width,
                                          pixel_height, cairo_image_surface_get_stride(host->frame),
                                          scale, ZELTO_PIXELS_ARGB32, &shown, &message),
             message)) {
    return;
  }
  host->shown = host->shown || shown;
  cairo_surface_mark_dirty(host->frame);
  cairo_save(cr);
  cairo_scale(cr, 1.0 / scale, 1.0 / scale);
  cairo_set_source_surface(cr, host->frame, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  cairo_restore(cr);
}

static void clicked(GtkGestureClick* gesture, int presses, double x, double y, gpointer data) {
  (void)gesture;
  (void)presses;
  bool handled = false;
  char* message = NULL;
  failed(zelto_display_tap(x, y, &handled, &message), message);
  turn_run_loop(data);
}

static void pointer_moved(GtkEventControllerMotion* motion, double x, double y, gpointer data) {
  (void)motion;
  Host* host = data;
  host->pointer_x = x;
  host->pointer_y = y;
}

static gboolean scrolled(GtkEventControllerScroll* scroll, double dx, double dy, gpointer data) {
  (void)scroll;
  Host* host = data;
  bool handled = false;
  char* message = NULL;
  failed(zelto_display_scroll(host->pointer_x, host->pointer_y, dx * SCROLL_STEP, dy * SCROLL_STEP,
                              &handled, &message),
         message);
  turn_run_loop(host);
  return handled;
}

static gboolean key_pressed(GtkEventControllerKey* keys, guint keyval, guint keycode,
                            GdkModifierType state, gpointer data) {
  (void)keys;
  (void)keycode;
  bool handled = false;
  char* message = NULL;
  if (keyval == GDK_KEY_BackSpace) {
    failed(zelto_display_delete_backward(&handled, &message), message);
  } else if (keyval == GDK_KEY_Escape) {
    failed(zelto_display_back(&handled, &message), message);
  } else if ((state & (GDK_CONTROL_MASK | GDK_ALT_MASK)) == 0) {
    const gunichar character = gdk_keyval_to_unicode(keyval);
    if (character != 0 && g_unichar_isprint(character)) {
      char text[8] = {0};
      g_unichar_to_utf8(character, text);
      failed(zelto_display_type_text(text, &handled, &message), message);
    }
  }
  turn_run_loop(data);
  return handled;
}

/* Reads the request file named on the command line, or takes the demo merchant. */
static gchar* request_json(const char* path, gsize* length) {
  gchar* text = NULL;
  GError* error = NULL;
  if (path == NULL) {
    *length = strlen(kDemoRequest);
    return g_strdup(kDemoRequest);
  }
  if (!g_file_get_contents(path, &text, length, &error)) {
    fprintf(stderr, "gtk_host: %s\n", error->message);
    g_error_free(error);
    return NULL;
  }
  return text;
}

static void refused(void* user_data, bool success, const zelto_request_payment_response* response,
                    const zelto_error* error) {
  (void)response;
  char* description = NULL;
  if (!success && zelto_error_description(error, &description, NULL) == ZELTO_OK) {
    fprintf(stderr, "gtk_host: request refused: %s", description);
    *(gboolean*)user_data = TRUE;
  }
  zelto_free(description);
}

typedef struct Options {
  const char* request;
  gboolean undecorated;
  int status; /* 1 when the flow could not be launched */
} Options;

static void activate(GtkApplication* app, gpointer data) {
  Options* options = data;
  options->status = 1;
  static Host host;
  char* message = NULL;
  if (failed(zelto_run_loop_set_clock(ZELTO_CLOCK_SYSTEM, &message), message) ||
      failed(zelto_display_set_screen_size(SCREEN_WIDTH, SCREEN_HEIGHT, &message), message)) {
    return;
  }
  gsize length = 0;
  gchar* json = request_json(options->request, &length);
  if (json == NULL) return;
  zelto_payment_request* request = NULL;
  gboolean was_refused = FALSE;
  const gboolean launched =
      !failed(zelto_payment_request_init_with_json(json, length, &request, &message), message) &&
      !failed(zelto_launch_request_payment_flow_with_request_completion_handler(
                  request, refused, &was_refused, NULL, &message),
              message) &&
      !was_refused;
  g_free(json);
  zelto_payment_request_release(request); /* the flow keeps its own reference */
  if (!launched) return;
  options->status = 0;

  host.window = gtk_application_window_new(app);
  gtk_window_set_title(GTK_WINDOW(host.window), "Zelto GTK host");
  gtk_window_set_resizable(GTK_WINDOW(host.window), FALSE);
  gtk_window_set_decorated(GTK_WINDOW(host.window), !options->undecorated);
  host.area = gtk_drawing_area_new();
  gtk_drawing_area_set_content_width(GTK_DRAWING_AREA(host.area), SCREEN_WIDTH);
  gtk_drawing_area_set_content_height(GTK_DRAWING_AREA(host.area), SCREEN_HEIGHT);
  gtk_drawing_area_set_draw_func(GTK_DRAWING_AREA(host.area), draw, &host, NULL);
  gtk_widget_set_focusable(host.area, TRUE);

  GtkGesture* click = gtk_gesture_click_new();
  g_signal_connect(click, "released", G_CALLBACK(clicked), &host);
  gtk_widget_add_controller(host.area, GTK_EVENT_CONTROLLER(click));
  GtkEventController* motion = gtk_event_controller_motion_new();
  g_signal_connect(motion, "motion", G_CALLBACK(pointer_moved), &host);
  gtk_widget_add_controller(host.area, motion);
  GtkEventController* scroll =
      gtk_event_controller_scroll_new(GTK_EVENT_CONTROLLER_SCROLL_BOTH_AXES);
  g_signal_connect(scroll, "scroll", G_CALLBACK(scrolled), &host);
  gtk_widget_add_controller(host.area, scroll);
  GtkEventController* keys = gtk_event_controller_key_new();
  g_signal_connect(keys, "key-pressed", G_CALLBACK(key_pressed), &host);
  gtk_widget_add_controller(host.window, keys);

  gtk_window_set_child(GTK_WINDOW(host.window), host.area);
  gtk_window_present(GTK_WINDOW(host.window));
  gtk_widget_grab_focus(host.area);
  turn_run_loop(&host);
}

int main(int argc, char** argv) {
  Options options = {NULL, FALSE, 0};
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--request") == 0 && i + 1 < argc) {
      options.request = argv[++i];
    } else if (strcmp(argv[i], "--undecorated") == 0) {
      options.undecorated = TRUE;
    } else {
      fprintf(stderr, "usage: gtk_host [--request FILE.json] [--undecorated]\n");
      return 2;
    }
  }
  GtkApplication* app = gtk_application_new(NULL, G_APPLICATION_NON_UNIQUE);
  g_signal_connect(app, "activate", G_CALLBACK(activate), &options);
  char* no_arguments[] = {argv[0], NULL};
  const int status = g_application_run(G_APPLICATION(app), 1, no_arguments);
  g_object_unref(app);
  return status != 0 ? status : options.status;
}
